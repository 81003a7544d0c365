#include "reports/PlotSseDataPage.h"

#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>

#include "pages/framework/Fonts.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/Twips.h"
#include "reports/DefaultPrinter.h"
#include "reports/PageControls.h"
#include "reports/PrintJobs.h"
#include "reports/SseChart.h"

namespace mnemex::pages {

PlotSseDataPage::PlotSseDataPage(PageContext& context)
    : Page(context, QStringLiteral("PlotSSEdata")),
      pageDialogs_(std::make_unique<PageDialogs>(Dialog(), this)),
      dialogs_(pageDialogs_.get()) {
    setWindowTitle(QStringLiteral("Graph of SSE as a function of sweeps of training"));
    printerSource_ = [this] {
        return OpenDefaultPrinter(*dialogs_, QStringLiteral("Network SSE Graph"));
    };
    BuildControls();
}

PlotSseDataPage::~PlotSseDataPage() = default;

void PlotSseDataPage::BuildControls() {
    auto* label = AddLabel(
        this, "Label1",
        QStringLiteral("To work with this graph electronically, return to the previous page and "
                       "create an Excel spreadsheet.  The data used to create this graph is saved "
                       "on one of the worksheets in the spreadsheet that is created, and can be "
                       "used to create a chart that could be imported into other software "
                       "packages, such as a word processor."),
        {960, 240, 8655, 735}, FontByName(QStringLiteral("MS Sans Serif"), 8.25));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("SSEgraph"));
    view_->setVisible(false);
    PlaceTwips(view_, 960, 1080, 8535, 6135);
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setBackgroundBrush(QBrush(Qt::white));

    const QFont buttonFont = FontByName(QStringLiteral("Arial"), 12, {.bold = true});
    auto* print = AddButton(this, "PrintThisGraph", QStringLiteral("Print The Graph"),
                            {1440, 7560, 2292, 732}, buttonFont);
    auto* close = AddButton(this, "CloseThisForm", QStringLiteral("Exit This Page"),
                            {6960, 7560, 2292, 732}, buttonFont);
    connect(print, &QPushButton::clicked, this, &PlotSseDataPage::PrintThisGraph_Click);
    connect(close, &QPushButton::clicked, this, &PlotSseDataPage::CloseThisForm_Click);
    setTabOrder(view_, print);
    setTabOrder(print, close);
}

void PlotSseDataPage::Form_Load() {
    view_->setChart(BuildSseChart(report::SseChartGrid(State())));
    view_->setVisible(true);
    FrameStart();
}

void PlotSseDataPage::PrintThisGraph_Click() {
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
        dialogs_->Message(QStringLiteral("The graph could not be printed.\r") +
                          printer->ErrorText());
}

void PlotSseDataPage::CloseThisForm_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::pages
