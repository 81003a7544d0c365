#pragma once
// Network1: the introductory page. The user finds a training file, loads it with a
// double-click, sees its name and sizes, and moves on to the setup page.

#include <array>

#include "pages/framework/ControlKit.h"
#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"
#include "pages/framework/Page.h"
#include "pages/main/Notice.h"

namespace mnemex::pages {

class Network1Page : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = "Network1";
    // The bottom bar of this page starts one pixel left of the client area.
    static constexpr FrameDesign kFrame{10785, 9540, 375, 375, -15};
    explicit Network1Page(PageContext& context);

    void Form_Load() override;
    void File1_DblClick();
    void NextPage_Click();
    void Command2_Click();

    // The controls, by what they are.
    QLabel* TitleLabel() const { return Label1; }
    QLabel* InstructionLabel() const { return FileLabel; }
    DriveList* DriveListBox() const { return Drive1; }
    FolderList* FolderListBox() const { return Dir1; }
    FileList* FileListBox() const { return File1; }
    // The heading, then the captions of the four file facts.
    const std::array<QLabel*, 5>& FileInfoLabels() const { return Label8; }
    // File name, output units, input units, patterns.
    const std::array<QLineEdit*, 4>& FileInfoBoxes() const { return OutputText; }
    QPushButton* NextPageButton() const { return NextPage; }
    QPushButton* ExitButton() const { return Command2; }
    QLabel* NoticeLabel() const { return Label3; }

  private:
    QLabel* Label1;
    QLabel* FileLabel;
    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    std::array<QLabel*, 5> Label8;
    std::array<QLineEdit*, 4> OutputText;
    QPushButton* NextPage;
    QPushButton* Command2;
    QLabel* Label3;
};

}  // namespace mnemex::pages
