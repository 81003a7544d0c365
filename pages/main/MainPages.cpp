#include "pages/main/MainPages.h"

#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"

namespace mnemex::pages {

void RegisterMainPages(PageManager& manager) {
    manager.RegisterPage<Network1Page>(QString::fromLatin1(Network1Page::kName));
    manager.RegisterPage<DistMemPage>(QString::fromLatin1(DistMemPage::kName));
    manager.RegisterPage<TestDAMPage>(QString::fromLatin1(TestDAMPage::kName));
}

}  // namespace mnemex::pages
