#pragma once
// What every page of Mnemex is handed: the program-wide network state, the platform
// services and the page manager.

#include "core/FinishedRuns.h"
#include "core/PublicStuff.h"
#include "pages/framework/PlatformServices.h"

namespace mnemex {

class PageManager;

struct PageContext {
    PublicStuff& state;
    PlatformServices& services;
    PageManager& pages;
    // The runs of this session as they ended, for comparing them later.
    FinishedRuns& runs;
};

}  // namespace mnemex
