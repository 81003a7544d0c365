#pragma once
// Large blocks that are about to be filled front to back.

#include <cstddef>

namespace mnemex {

// Asks the system to back the whole 2 MB pages inside [data, data + bytes) with huge pages
// before they are first touched. A fresh process then fills a pattern store of many
// megabytes with a few hundred page faults instead of thousands (on a virtual machine each
// fault can cost tens of microseconds). Only pages wholly inside the block are concerned,
// so the memory in use never grows; where the system has no such pages nothing changes.
void AdviseHugePages(void* data, std::size_t bytes);

}  // namespace mnemex
