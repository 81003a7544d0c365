#include "TestNetworks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace mnemex::testing {

PublicStuff MakeState(int inputs, int outputs, const std::vector<double>& inputValues,
                      const std::vector<double>& desiredValues) {
    PublicStuff s;
    const int patterns = inputs > 0
                             ? static_cast<int>(inputValues.size()) / inputs
                             : (outputs > 0 ? static_cast<int>(desiredValues.size()) / outputs : 0);
    s.NumInputs = inputs;
    s.NumOutputs = outputs;
    s.NumPatterns = patterns;
    s.InputPatterns.Adopt(inputs, patterns, inputValues);
    s.DesiredOutputs.Adopt(outputs, patterns, desiredValues);
    s.ReallocateNetwork();
    s.NewRun = 1;
    s.LearningRule = "Hebb";
    return s;
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "mnemex-core-tests" /
                                (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

}  // namespace mnemex::testing
