#pragma once
// The one list of Mnemex's pages.

namespace mnemex {

class PageManager;

// The name of the page the program starts on.
inline constexpr const char* kStartPage = "Network1";

// Registers every page of the program with the page manager.
void RegisterPages(PageManager& pages);

}  // namespace mnemex
