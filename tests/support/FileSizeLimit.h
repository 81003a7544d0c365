#pragma once
// Makes the disk look full to this process after a number of bytes (the file size limit,
// which holds for root as well), while the object lives.

#include <sys/resource.h>

namespace mnemex::testsupport {

class DiskFullAfter {
  public:
    // Files may grow to `bytes`; a write beyond fails with EFBIG instead of raising SIGXFSZ.
    explicit DiskFullAfter(rlim_t bytes);
    ~DiskFullAfter();
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace mnemex::testsupport
