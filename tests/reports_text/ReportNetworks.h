#pragma once
// The report tests use the shared hand-made networks and the running test's own folder.

#include <string>

#include "tests/support/TempFolder.h"
#include "tests/support/TestNetworks.h"

namespace mnemex::reporttest {

using testsupport::MakeNetwork;
using testsupport::ReadBytes;
using testsupport::SmallTrainedNetwork;

// A fresh, empty folder for the running test, removed when it ends.
inline std::string TestFolder() {
    return testsupport::TestScratchFolder().string();
}

}  // namespace mnemex::reporttest
