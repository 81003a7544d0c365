#pragma once
// What every page of Mnemex is handed: the program-wide network state, the platform
// services and the page manager.

#include "core/PublicStuff.h"
#include "pages/framework/PlatformServices.h"

namespace mnemex {

class PageManager;

struct PageContext {
    PublicStuff& state;
    PlatformServices& services;
    PageManager& pages;
};

}  // namespace mnemex
