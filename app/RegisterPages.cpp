#include "app/RegisterPages.h"

#include "pages/framework/PageManager.h"
#include "pages/main/MainPages.h"

namespace mnemex {

void RegisterPages(PageManager& pages) {
    // Network1, DistMem and TestDAM.
    pages::RegisterMainPages(pages);
}

}  // namespace mnemex
