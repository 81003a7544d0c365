#pragma once
// Registers the three main pages with the page manager.

namespace mnemex {
class PageManager;
}

namespace mnemex::pages {

// Network1, DistMem and TestDAM, under those names.
void RegisterMainPages(PageManager& manager);

}  // namespace mnemex::pages
