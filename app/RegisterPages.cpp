#include "app/RegisterPages.h"

#include "app/PlaceholderPage.h"
#include "pages/framework/PageManager.h"
#include "reports/PlotSseDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"

namespace mnemex {

void RegisterPages(PageManager& pages) {
    // Stands in for the introductory page until that page is part of the program.
    pages.RegisterPage<PlaceholderPage>(QStringLiteral("Network1"));
    pages.RegisterPage<pages::ProbeNetworkPage>(QStringLiteral("ProbeNetwork"));
    pages.RegisterPage<pages::SaveResultsPage>(QStringLiteral("SaveResults"));
    pages.RegisterPage<pages::PlotSseDataPage>(QStringLiteral("PlotSSEdata"));
}

}  // namespace mnemex
