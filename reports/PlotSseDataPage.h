#pragma once
// The SSE chart page: the training record as bars, printable.

#include <QImage>
#include <functional>
#include <memory>

#include "pages/framework/Page.h"
#include "reports/PagePrinter.h"
#include "reports/ResultDialogs.h"

class QChartView;

namespace mnemex::pages {

class PlotSseDataPage : public Page {
    Q_OBJECT
  public:
    using PrinterSource = std::function<std::unique_ptr<PagePrinter>()>;

    explicit PlotSseDataPage(PageContext& context);
    ~PlotSseDataPage() override;

    void SetDialogs(ResultDialogs* dialogs) { dialogs_ = dialogs; }
    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    QChartView* SSEgraph() const { return view_; }

    // Builds the chart from the history as it stands now; it is not redrawn later.
    void Form_Load() override;
    void PrintThisGraph_Click();
    void CloseThisForm_Click();

  private:
    void BuildControls();

    std::unique_ptr<ResultDialogs> pageDialogs_;
    ResultDialogs* dialogs_;
    PrinterSource printerSource_;
    QChartView* view_ = nullptr;
};

}  // namespace mnemex::pages
