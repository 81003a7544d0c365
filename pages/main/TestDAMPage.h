#pragma once
// TestDAM: the testing hub. Its upper list examines the trained network, its lower list
// goes back to training or to a new problem.

#include <QProgressBar>

#include "core/SummaryService.h"
#include "pages/framework/ControlKit.h"
#include "pages/framework/LineControl.h"
#include "pages/framework/Page.h"
#include "pages/main/ListBox.h"
#include "pages/main/Notice.h"

namespace mnemex::pages {

class TestDAMPage : public Page, private SummaryFeedback {
    Q_OBJECT
  public:
    static constexpr const char* kName = "TestDAM";
    static constexpr FrameDesign kFrame{11115, 9750, 375, 390, 0};
    explicit TestDAMPage(PageContext& context);

    void Form_Load() override;
    void TestList_DblClick();
    void ContinueList_DblClick();
    void LookInside_Click();
    void Command2_Click();

    // The controls, by what they are.
    ListBox* ExamineList() const { return TestList; }
    ListBox* ContinuingList() const { return ContinueList; }
    QPushButton* LookInsideButton() const { return LookInside; }
    QPushButton* ExitButton() const { return Command2; }
    QLabel* OrLabel() const { return Label1; }
    QLabel* ExamineHeading() const { return Label5; }
    QLabel* ContinueHeading() const { return Label4; }
    QLabel* FeedbackLine() const { return FeedBackLabel; }
    LineControl* SeparatorLine() const { return Line1; }
    QLabel* NoticeLabel() const { return Label3; }
    QProgressBar* SummaryProgressBar() const { return ExcelProgressBar; }

  private:
    // Shows one of the result pages, by its registered name (page_names).
    void OpenResultPage(const char* name);
    void NothingSelected();

    // SummaryFeedback: the feedback line, the progress bar and the program's message boxes.
    void SetFeedbackCaption(const std::string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    int ProgressValue() const override;
    void SetProgressValue(int value) override;
    void SetProgressVisible(bool visible) override;
    void ShowMessage(const std::string& text) override;
    std::optional<bool> AskYesNo(const std::string& text) override;

    ListBox* TestList;
    ListBox* ContinueList;
    QPushButton* LookInside;
    QPushButton* Command2;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label4;
    QLabel* FeedBackLabel;
    LineControl* Line1;
    QLabel* Label3;
    QProgressBar* ExcelProgressBar;
};

}  // namespace mnemex::pages
