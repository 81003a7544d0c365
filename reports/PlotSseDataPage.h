#pragma once
// The SSE chart page: the training record as bars, printable.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/PublicStuff.h"
#include "reports/PagePrinter.h"
#include "reports/ResultDialogs.h"

class QChartView;

namespace mnemex::pages {

class PlotSseDataPage : public QWidget {
    Q_OBJECT
  public:
    using PrinterSource = std::function<std::unique_ptr<PagePrinter>()>;

    // Builds the chart from the history as it stands now; it is not redrawn later.
    explicit PlotSseDataPage(const PublicStuff& state, QWidget* parent = nullptr);
    ~PlotSseDataPage() override;

    void SetDialogs(ResultDialogs* dialogs) { dialogs_ = dialogs; }
    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    QChartView* SSEgraph() const { return view_; }

    void PrintThisGraph_Click();
    void CloseThisForm_Click();

  private:
    void BuildControls(const PublicStuff& state);

    std::unique_ptr<ResultDialogs> screenDialogs_;
    ResultDialogs* dialogs_;
    PrinterSource printerSource_;
    QChartView* view_ = nullptr;
};

}  // namespace mnemex::pages
