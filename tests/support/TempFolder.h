#pragma once
// Temporary folders for tests: every test writes under TMPDIR and leaves nothing behind.

#include <filesystem>
#include <string>

namespace mnemex::testsupport {

// A fresh folder under TMPDIR (mkdtemp, so two runs never collide), removed with
// everything in it when the object goes away.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return root_; }
    // `name` inside the folder, as text.
    std::string File(const std::string& name) const { return (root_ / name).string(); }

  private:
    std::filesystem::path root_;
};

// The running GoogleTest test's own folder: made on first use, removed when the test ends
// (also when it fails). Outside a test it lives until the program ends.
const std::filesystem::path& TestScratchFolder();

// Writes `bytes` to `name` in the running test's folder (sub-folders made as needed) and
// returns the full path.
std::string WriteScratchFile(const std::string& name, const std::string& bytes);

// Writes `bytes` to `file`, creating its folder.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// The bytes of a file, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace mnemex::testsupport
