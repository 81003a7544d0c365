#include "pages/main/MainPages.h"

#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"

namespace mnemex::pages {

void RegisterMainPages(PageManager& manager) {
    manager.RegisterPage<Network1Page>();
    manager.RegisterPage<DistMemPage>();
    manager.RegisterPage<TestDAMPage>();
}

}  // namespace mnemex::pages
