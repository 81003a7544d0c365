#include "reports/ProbeNetworkPage.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "reports/DefaultPrinter.h"
#include "reports/PageControls.h"
#include "reports/PageGeometry.h"
#include "reports/PrintJobs.h"
#include "reports/ProbeLogic.h"
#include "reports/UpDownControl.h"

namespace mnemex::pages {

ProbeNetworkPage::ProbeNetworkPage(PublicStuff& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      screenDialogs_(std::make_unique<ScreenDialogs>(this)),
      dialogs_(screenDialogs_.get()) {
    setObjectName(QStringLiteral("ProbeNetwork"));
    setWindowTitle(QStringLiteral(
        "Distributed Memory Program -- Probe Network Responses To Selected Patterns"));
    printerSource_ = [this] {
        return OpenDefaultPrinter(*dialogs_, QStringLiteral("Probe Network Responses"));
    };
    BuildControls();
    // Form_Load: the up-down control reaches as far as the file's patterns.
    patternUpDown_->SetRange(1, std::max<int>(1, state_.NumPatterns));
}

ProbeNetworkPage::~ProbeNetworkPage() = default;

void ProbeNetworkPage::BuildControls() {
    resize(TwipsToPixels(10650), TwipsToPixels(9090));
    AddLabel(this, "Label2",
             QStringLiteral("Examine The Network's Responses To Individual Patterns"),
             TwipRect(1002, 720, 8640, 492), PageFont(QStringLiteral("Arial"), 14.25, kBold));
    AddLabel(this, "PatternLabel",
             QStringLiteral("Use the control to the left to choose a pattern to present to the "
                            "network.  The results will be added to the text in the textbox "
                            "below."),
             TwipRect(840, 1440, 5892, 612), PageFont(QStringLiteral("Arial"), 9, kBold));

    patternBox_ = new QLineEdit(QStringLiteral("1"), this);
    patternBox_->setObjectName(QStringLiteral("PatternBox"));
    patternBox_->setGeometry(TwipRect(7416, 1500, 756, 372));
    patternBox_->setFont(PageFont(QStringLiteral("Arial"), 10.5));
    patternBox_->setAlignment(Qt::AlignCenter);
    patternUpDown_ = new UpDownControl(patternBox_, this);
    patternUpDown_->setObjectName(QStringLiteral("PatternUpDown"));
    patternUpDown_->setGeometry(TwipRect(7416 + 756, 1500, 255, 372));

    auto* ok = AddButton(this, "PatternOK", QStringLiteral("Ok"), TwipRect(8760, 1440, 492, 492),
                         PageFont(QStringLiteral("Arial"), 10.5, kBold));
    connect(ok, &QPushButton::clicked, this, &ProbeNetworkPage::PatternOK_Click);
    connect(patternBox_, &QLineEdit::returnPressed, this, &ProbeNetworkPage::PatternOK_Click);

    resultsText_ = new QPlainTextEdit(this);
    resultsText_->setObjectName(QStringLiteral("ResultsText"));
    resultsText_->setGeometry(TwipRect(255, 2265, 9852, 2175));
    resultsText_->setFont(PageFont(QStringLiteral("Courier"), 9.75));
    resultsText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    resultsText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resultsText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight characters keep the value columns lined up.
    resultsText_->setTabStopDistance(
        8 * QFontMetricsF(resultsText_->font()).horizontalAdvance(QLatin1Char('0')));

    const QFont buttonFont = PageFont(QStringLiteral("Arial"), 9.75, kBold);
    auto* clear = AddButton(this, "ClearText", QStringLiteral("Clear The Text In The Window"),
                            TwipRect(4296, 4680, 2052, 612), buttonFont);
    connect(clear, &QPushButton::clicked, this, &ProbeNetworkPage::ClearText_Click);
    auto* print = AddButton(this, "PrintResults", QStringLiteral("Print The Text In The Window"),
                            TwipRect(4296, 5520, 2052, 612), buttonFont);
    connect(print, &QPushButton::clicked, this, &ProbeNetworkPage::PrintResults_Click);
    auto* close =
        AddButton(this, "Command2", QStringLiteral("Close Form"), TwipRect(8415, 8070, 1695, 615),
                  PageFont(QStringLiteral("Arial"), 12, kBold | kItalic));
    connect(close, &QPushButton::clicked, this, &ProbeNetworkPage::Command2_Click);
}

QString ProbeNetworkPage::ResultsText() const {
    QString text = resultsText_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void ProbeNetworkPage::SetResultsText(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    resultsText_->setPlainText(shown);
}

void ProbeNetworkPage::PatternOK_Click() {
    const ProbeOutcome outcome = ProbeTypedPattern(state_, patternBox_->text(), ResultsText());
    if (!outcome.Probed) {
        dialogs_->Warning(outcome.Refusal, ProbeRefusalTitle());
        return;
    }
    SetResultsText(outcome.WindowText);
}

void ProbeNetworkPage::ClearText_Click() {
    resultsText_->clear();
}

void ProbeNetworkPage::PrintResults_Click() {
    std::unique_ptr<PagePrinter> printer = printerSource_();
    if (!printer)
        return;
    if (!PrintProbeText(*printer, QString::fromStdString(state_.TrainingFileName), ResultsText()))
        dialogs_->Message(QStringLiteral("The text could not be printed.\r") +
                          printer->ErrorText());
}

void ProbeNetworkPage::Command2_Click() {
    close();
}

}  // namespace mnemex::pages
