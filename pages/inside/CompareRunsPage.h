#pragma once
// "Compare Runs": the SSE curves of the runs of this session that the student kept, with
// the least-squares SSE as a dashed line, printable and exportable as CSV.

#include <functional>
#include <memory>
#include <optional>

#include "pages/framework/Page.h"
#include "pages/framework/printing/PagePrinter.h"
#include "pages/inside/SaveFile.h"

class QChartView;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace mnemex::inside {

class CompareRunsPage : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = "CompareRuns";
    static constexpr FrameDesign kFrame{12120, 9405, 390, 390, 0};
    using PrinterSource = std::function<std::unique_ptr<pages::PagePrinter>()>;

    explicit CompareRunsPage(PageContext& context);
    ~CompareRunsPage() override;

    void Form_Load() override;
    void Form_Activate() override;
    // The run list and the chart drawn again from the session's runs.
    void Rebuild();
    // Keeps or forgets the run in row `row` of the list.
    void SetKept(int row, bool kept);
    void LogScale_Click();
    void Print_Click();
    void SaveCsv_Click();
    void Close_Click();

    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    QListWidget* RunList() const { return runList_; }
    QCheckBox* LogScaleCheck() const { return logScale_; }
    QChartView* ChartView() const { return view_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* SaveCsvButton() const { return saveCsv_; }
    // "Curves saved as ..." after Save Curves As CSV.
    QLabel* SaveStatusLabel() const { return saveStatus_; }
    // The least-squares SSE drawn, when it is.
    std::optional<double> LeastSquaresShown() const { return leastSquares_; }

  private:
    void DrawChart();

    PrinterSource printerSource_;
    FileChooser chooseFile_;
    QListWidget* runList_;
    QCheckBox* logScale_;
    QChartView* view_;
    QPushButton* print_;
    QPushButton* saveCsv_;
    QLabel* saveStatus_;
    QPushButton* close_;
    std::optional<double> leastSquares_;
    bool filling_ = false;
};

}  // namespace mnemex::inside
