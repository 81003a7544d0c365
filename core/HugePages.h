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

// For a block that is about to be filled whole: huge pages where whole ones fit, then every
// page inside it backed at once, in one call, instead of one page fault per page as it is
// first written (on a virtual machine a fault can cost ten microseconds, so a megabyte took
// milliseconds). The memory would be taken by the filling anyway; where the system cannot
// do this, the pages come one by one as before.
void PrepareToFill(void* data, std::size_t bytes);

}  // namespace mnemex
