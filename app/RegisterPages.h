#pragma once
// The one list of Mnemex's pages.

#include "pages/main/Network1Page.h"

namespace mnemex {

class PageManager;

// The name of the page the program starts on.
inline constexpr const char* kStartPage = pages::Network1Page::kName;

// Registers every page of the program with the page manager, each under its class's kName.
void RegisterPages(PageManager& pages);

}  // namespace mnemex
