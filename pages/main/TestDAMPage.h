#pragma once
// TestDAM: the testing hub. Its upper list examines the trained network, its lower list
// goes back to training or to a new problem.

#include <QProgressBar>

#include "pages/framework/LineControl.h"
#include "pages/framework/Page.h"
#include "pages/main/ControlMaker.h"
#include "pages/main/ListBox.h"
#include "pages/main/SpreadsheetHook.h"

namespace mnemex::pages {

class TestDAMPage : public Page, private SummaryFeedback {
    Q_OBJECT
  public:
    static constexpr const char* kName = "TestDAM";
    explicit TestDAMPage(PageContext& context);

    void Form_Load() override;
    void TestList_DblClick();
    void ContinueList_DblClick();
    void Command2_Click();

    ListBox* TestList;
    ListBox* ContinueList;
    QPushButton* Command2;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label4;
    QLabel* FeedBackLabel;
    LineControl* Line1;
    QLabel* Label3;
    QProgressBar* ExcelProgressBar;

  private:
    // Shows one of the result pages if the program has it.
    void OpenResultPage(const char* name);
    void NothingSelected();

    // SummaryFeedback
    void SetCaption(const std::string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgressValue(int value) override;
    void SetProgressVisible(bool visible) override;
};

}  // namespace mnemex::pages
