#include "app/RegisterPages.h"

#include "app/PlaceholderPage.h"
#include "pages/framework/PageManager.h"

namespace mnemex {

void RegisterPages(PageManager& pages) {
    // Stands in for the introductory page until that page is part of the program.
    pages.RegisterPage<PlaceholderPage>(QStringLiteral("Network1"));
}

}  // namespace mnemex
