#include "TestNetworks.h"

#include "tests/support/TempFolder.h"
#include "tests/support/TestNetworks.h"

namespace mnemex::testing {

PublicStuff MakeState(int inputs, int outputs, const std::vector<double>& inputValues,
                      const std::vector<double>& desiredValues) {
    PublicStuff s = testsupport::MakeNetwork(inputs, outputs, inputValues, desiredValues);
    s.TrainingFileName.clear();
    s.NewRun = 1;
    s.LearningRule = "Hebb";
    return s;
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
    return testsupport::WriteScratchFile(name, text);
}

}  // namespace mnemex::testing
