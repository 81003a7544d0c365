#pragma once
// The platform services a window's code reaches through one object, so that tests can
// hand in scripted dialogs and a fixed drive list.

#include "pages/framework/Dialogs.h"
#include "pages/framework/DriveSource.h"

namespace mnemex {

struct PlatformServices {
    Dialogs& dialogs;
    const DriveSource& drives;
};

}  // namespace mnemex
