#pragma once
// The names the program's pages are registered and opened under. A page opens another by
// its name through the page manager, so that no page needs another page's class: the
// testing hub opens the result pages and the look inside without knowing them.

namespace mnemex::page_names {

inline constexpr const char* kProbeNetwork = "ProbeNetwork";
inline constexpr const char* kSaveResults = "SaveResults";
inline constexpr const char* kPlotSSEData = "PlotSSEdata";
inline constexpr const char* kLookInside = "LookInside";

}  // namespace mnemex::page_names
