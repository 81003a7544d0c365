#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace mnemex::testsupport {

namespace {

std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mnemex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder under " +
                                 std::filesystem::temp_directory_path().string());
    return pattern;
}

// Holds the running test's folder and drops it when the test ends.
class ScratchListener : public ::testing::EmptyTestEventListener {
  public:
    void OnTestEnd(const ::testing::TestInfo&) override { current.reset(); }
    std::unique_ptr<TempFolder> current;
};

ScratchListener& Listener() {
    // The listener list owns the object once appended; keep a plain pointer to it.
    static ScratchListener* listener = [] {
        auto* made = new ScratchListener;
        ::testing::UnitTest::GetInstance()->listeners().Append(made);
        return made;
    }();
    return *listener;
}

}  // namespace

TempFolder::TempFolder() : root_(MakeFolder()) {}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

const std::filesystem::path& TestScratchFolder() {
    auto& listener = Listener();
    if (!listener.current)
        listener.current = std::make_unique<TempFolder>();
    return listener.current->Path();
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes) {
    const auto path = TestScratchFolder() / name;
    WriteBytes(path, bytes);
    return path.string();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace mnemex::testsupport
