#include "app/RegisterPages.h"

#include "pages/framework/PageManager.h"
#include "pages/main/MainPages.h"
#include "reports/PlotSseDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"

namespace mnemex {

void RegisterPages(PageManager& pages) {
    // Network1, DistMem and TestDAM.
    pages::RegisterMainPages(pages);
    pages.RegisterPage<pages::ProbeNetworkPage>(QStringLiteral("ProbeNetwork"));
    pages.RegisterPage<pages::SaveResultsPage>(QStringLiteral("SaveResults"));
    pages.RegisterPage<pages::PlotSseDataPage>(QStringLiteral("PlotSSEdata"));
}

}  // namespace mnemex
