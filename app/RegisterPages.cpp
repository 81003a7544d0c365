#include "app/RegisterPages.h"

#include "pages/framework/PageManager.h"
#include "pages/inside/CompareRunsPage.h"
#include "pages/inside/InsideMemoryPage.h"
#include "pages/main/MainPages.h"
#include "reports/PlotSSEDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"

namespace mnemex {

void RegisterPages(PageManager& pages) {
    // Network1, DistMem and TestDAM.
    pages::RegisterMainPages(pages);
    pages.RegisterPage<pages::ProbeNetworkPage>();
    pages.RegisterPage<pages::SaveResultsPage>();
    pages.RegisterPage<pages::PlotSSEDataPage>();
    pages.RegisterPage<inside::InsideMemoryPage>();
    pages.RegisterPage<inside::CompareRunsPage>();
}

}  // namespace mnemex
