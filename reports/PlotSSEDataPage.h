#pragma once
// The SSE chart page: the training record as bars, printable.

#include <QImage>
#include <functional>
#include <memory>

#include "pages/framework/Page.h"
#include "pages/framework/PageNames.h"
#include "pages/framework/printing/PagePrinter.h"

class QChartView;
class QLabel;
class QPushButton;

namespace mnemex::pages {

class PlotSSEDataPage : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = page_names::kPlotSSEData;
    static constexpr FrameDesign kFrame{10740, 9600, 390, 375, 0};
    using PrinterSource = std::function<std::unique_ptr<PagePrinter>()>;

    explicit PlotSSEDataPage(PageContext& context);
    ~PlotSSEDataPage() override;

    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    // The controls, by what they are.
    QChartView* ChartView() const { return view_; }
    QLabel* AdviceLabel() const { return label1_; }
    QPushButton* PrintButton() const { return printThisGraph_; }
    QPushButton* CloseButton() const { return closeThisForm_; }

    // Builds the chart from the history as it stands now; it is not redrawn later.
    void Form_Load() override;
    void PrintThisGraph_Click();
    void CloseThisForm_Click();

  private:
    void BuildControls();

    PrinterSource printerSource_;
    QLabel* label1_ = nullptr;
    QChartView* view_ = nullptr;
    QPushButton* printThisGraph_ = nullptr;
    QPushButton* closeThisForm_ = nullptr;
};

}  // namespace mnemex::pages
