#include "reports/ProbeNetworkPage.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>

#include "pages/framework/ControlKit.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/UpDown.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "reports/ProbeLogic.h"

namespace mnemex::pages {

ProbeNetworkPage::ProbeNetworkPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame) {
    setWindowTitle(QStringLiteral(
        "Distributed Memory Program -- Probe Network Responses To Selected Patterns"));
    printerSource_ = [this] {
        return OpenDefaultPrinter(Dialog(), QStringLiteral("Probe Network Responses"));
    };
    BuildControls();
}

ProbeNetworkPage::~ProbeNetworkPage() = default;

void ProbeNetworkPage::BuildControls() {
    label2_ = MakeLabel(this, "Label2",
                        QStringLiteral("Examine The Network's Responses To Individual Patterns"),
                        {1002, 720, 8640, 492}, {"Arial", 14.25, kBold}, Qt::AlignHCenter);
    patternLabel_ = MakeLabel(
        this, "PatternLabel",
        QStringLiteral("Use the control to the left to choose a pattern to present to the "
                       "network.  The results will be added to the text in the textbox "
                       "below."),
        {840, 1440, 5892, 612}, {"Arial", 9, kBold}, Qt::AlignHCenter);

    patternBox_ = MakeTextBox(this, "PatternBox", QStringLiteral("1"), {7416, 1500, 756, 372},
                              {"Arial", 10.5});
    patternBox_->setAlignment(Qt::AlignCenter);
    patternBox_->setAccessibleName(QStringLiteral("Pattern number"));
    patternUpDown_ = Placed(new UpDown(this), "PatternUpDown", {7416 + 756, 1500, 255, 372});
    // Pattern numbers start at 1 and go one at a time.
    patternUpDown_->SetRange(1, 1);
    patternUpDown_->SetIncrement(1);
    patternUpDown_->SetBuddy(patternBox_);
    patternUpDown_->SetValue(1);

    patternOK_ = MakeButton(this, "PatternOK", QStringLiteral("Ok"), {8760, 1440, 492, 492},
                            {"Arial", 10.5, kBold});
    connect(patternOK_, &QPushButton::clicked, this, &ProbeNetworkPage::PatternOK_Click);

    const FontSpec textFont{"Courier", 9.75};
    resultsText_ =
        Placed(new QPlainTextEdit(this), "ResultsText", {255, 2265, 9852, 2175}, &textFont);
    resultsText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    resultsText_->setAccessibleName(QStringLiteral("Probe results"));
    resultsText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resultsText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight characters keep the value columns lined up.
    resultsText_->setTabStopDistance(
        8 * QFontMetricsF(resultsText_->font()).horizontalAdvance(QLatin1Char('0')));

    const FontSpec buttonFont{"Arial", 9.75, kBold};
    clearText_ = MakeButton(this, "ClearText", QStringLiteral("Clear The Text In The Window"),
                            {4296, 4680, 2052, 612}, buttonFont);
    connect(clearText_, &QPushButton::clicked, this, &ProbeNetworkPage::ClearText_Click);
    printResults_ = MakeButton(this, "PrintResults", QStringLiteral("Print The Text In The Window"),
                               {4296, 5520, 2052, 612}, buttonFont);
    connect(printResults_, &QPushButton::clicked, this, &ProbeNetworkPage::PrintResults_Click);
    command2_ = MakeButton(this, "Command2", QStringLiteral("Close Form"), {8415, 8070, 1695, 615},
                           {"Arial", 12, kBoldItalic});
    connect(command2_, &QPushButton::clicked, this, &ProbeNetworkPage::Command2_Click);
}

void ProbeNetworkPage::Form_Load() {
    FollowPatternCount();
    FrameStart();
}

void ProbeNetworkPage::Form_Activate() {
    FollowPatternCount();
}

void ProbeNetworkPage::FollowPatternCount() {
    patternUpDown_->SetRange(1, std::max<int>(1, State().NumPatterns));
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
    const ProbeOutcome outcome = ProbeTypedPattern(State(), patternBox_->text(), ResultsText());
    if (!outcome.Probed) {
        Dialog().MsgBox(outcome.Refusal, MsgStyle::OkWarning, ProbeRefusalTitle());
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
    if (!PrintProbeText(*printer, QString::fromStdString(State().TrainingFileName), ResultsText()))
        Dialog().MsgBox(QStringLiteral("The text could not be printed.\r") + printer->ErrorText());
}

void ProbeNetworkPage::Command2_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::pages
