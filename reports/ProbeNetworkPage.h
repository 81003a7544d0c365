#pragma once
// The probe page: presents one training pattern at a time and lists the network's answers.

#include <QWidget>
#include <functional>
#include <memory>

#include "core/PublicStuff.h"
#include "reports/PagePrinter.h"
#include "reports/ResultDialogs.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mnemex::pages {

class UpDownControl;

class ProbeNetworkPage : public QWidget {
    Q_OBJECT
  public:
    using PrinterSource = std::function<std::unique_ptr<PagePrinter>()>;

    ProbeNetworkPage(PublicStuff& state, QWidget* parent = nullptr);
    ~ProbeNetworkPage() override;

    // Replaces the on-screen dialogs (tests answer them instead).
    void SetDialogs(ResultDialogs* dialogs) { dialogs_ = dialogs; }
    // Replaces the default printer (tests record the printout instead).
    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }

    // The window's text with CR LF line ends, as the probes wrote it.
    QString ResultsText() const;
    void SetResultsText(const QString& text);

    void PatternOK_Click();
    void ClearText_Click();
    void PrintResults_Click();
    void Command2_Click();

  private:
    void BuildControls();

    PublicStuff& state_;
    std::unique_ptr<ResultDialogs> screenDialogs_;
    ResultDialogs* dialogs_;
    PrinterSource printerSource_;
    QLineEdit* patternBox_ = nullptr;
    UpDownControl* patternUpDown_ = nullptr;
    QPlainTextEdit* resultsText_ = nullptr;
};

}  // namespace mnemex::pages
