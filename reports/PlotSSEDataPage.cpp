#include "reports/PlotSSEDataPage.h"

#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>

#include "pages/framework/ControlKit.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "pages/framework/printing/PrintJobs.h"
#include "reports/SSEChart.h"

namespace mnemex::pages {

PlotSSEDataPage::PlotSSEDataPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame) {
    setWindowTitle(QStringLiteral("Graph of SSE as a function of sweeps of training"));
    printerSource_ = [this] {
        return OpenDefaultPrinter(Dialog(), QStringLiteral("Network SSE Graph"));
    };
    BuildControls();
}

PlotSSEDataPage::~PlotSSEDataPage() = default;

void PlotSSEDataPage::BuildControls() {
    label1_ = MakeLabel(
        this, "Label1",
        QStringLiteral("To work with this graph electronically, return to the previous page and "
                       "create an Excel spreadsheet.  The data used to create this graph is saved "
                       "on one of the worksheets in the spreadsheet that is created, and can be "
                       "used to create a chart that could be imported into other software "
                       "packages, such as a word processor."),
        {960, 240, 8655, 735}, {"MS Sans Serif", 8.25});

    view_ = Placed(new QChartView(this), "SSEgraph", {960, 1080, 8535, 6135});
    view_->setVisible(false);
    view_->setAccessibleName(QString::fromLatin1(kSSEChartTitle));
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setBackgroundBrush(QBrush(Qt::white));

    const FontSpec buttonFont{"Arial", 12, kBold};
    printThisGraph_ = MakeButton(this, "PrintThisGraph", QStringLiteral("Print The Graph"),
                                 {1440, 7560, 2292, 732}, buttonFont);
    closeThisForm_ = MakeButton(this, "CloseThisForm", QStringLiteral("Exit This Page"),
                                {6960, 7560, 2292, 732}, buttonFont);
    connect(printThisGraph_, &QPushButton::clicked, this, &PlotSSEDataPage::PrintThisGraph_Click);
    connect(closeThisForm_, &QPushButton::clicked, this, &PlotSSEDataPage::CloseThisForm_Click);
    setTabOrder(view_, printThisGraph_);
    setTabOrder(printThisGraph_, closeThisForm_);
}

void PlotSSEDataPage::Form_Load() {
    view_->setChart(BuildSSEChart(report::SSEChartGrid(State())));
    view_->setVisible(true);
    FrameStart();
}

void PlotSSEDataPage::PrintThisGraph_Click() {
    // The picture goes to the clipboard first, so the user can paste it elsewhere too.
    const QImage drawn = view_->grab().toImage();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(drawn);
    QImage picture = clipboard->image();
    if (picture.isNull())
        picture = drawn;  // a clipboard that cannot hold pictures must not stop the printout

    std::unique_ptr<PagePrinter> printer = printerSource_();
    if (!printer)
        return;
    if (!PrintChartPicture(*printer, picture))
        Dialog().MsgBox(QStringLiteral("The graph could not be printed.\r") + printer->ErrorText());
}

void PlotSSEDataPage::CloseThisForm_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::pages
