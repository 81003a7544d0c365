#pragma once
// The probe page: presents one training pattern at a time and lists the network's answers.

#include <functional>
#include <memory>

#include "pages/framework/Page.h"
#include "pages/framework/PageNames.h"
#include "pages/framework/printing/PagePrinter.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mnemex {
class UpDown;
}

namespace mnemex::pages {

class ProbeNetworkPage : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = page_names::kProbeNetwork;
    static constexpr FrameDesign kFrame{10770, 9495, 390, 390, 0};
    using PrinterSource = std::function<std::unique_ptr<PagePrinter>()>;

    explicit ProbeNetworkPage(PageContext& context);
    ~ProbeNetworkPage() override;

    // Replaces the default printer (tests record the printout instead).
    void SetPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }

    // The window's text with CR LF line ends, as the probes wrote it.
    QString ResultsText() const;
    void SetResultsText(const QString& text);

    // The controls, by what they are.
    QLabel* HeadingLabel() const { return label2_; }
    QLabel* InstructionLabel() const { return patternLabel_; }
    QLineEdit* PatternNumberBox() const { return patternBox_; }
    UpDown* PatternNumberUpDown() const { return patternUpDown_; }
    QPushButton* ProbeButton() const { return patternOK_; }
    QPushButton* ClearButton() const { return clearText_; }
    QPushButton* PrintButton() const { return printResults_; }
    QPushButton* CloseButton() const { return command2_; }

    void Form_Load() override;
    // The loaded training file may have changed since the page opened (the hub can train a
    // new network while this page stays open): the arrows follow its pattern count.
    void Form_Activate() override;
    void PatternOK_Click();
    void ClearText_Click();
    void PrintResults_Click();
    void Command2_Click();

  private:
    void BuildControls();
    void FollowPatternCount();

    PrinterSource printerSource_;
    QLabel* label2_ = nullptr;
    QLabel* patternLabel_ = nullptr;
    QLineEdit* patternBox_ = nullptr;
    UpDown* patternUpDown_ = nullptr;
    QPushButton* patternOK_ = nullptr;
    QPlainTextEdit* resultsText_ = nullptr;
    QPushButton* clearText_ = nullptr;
    QPushButton* printResults_ = nullptr;
    QPushButton* command2_ = nullptr;
};

}  // namespace mnemex::pages
