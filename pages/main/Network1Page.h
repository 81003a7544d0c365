#pragma once
// Network1: the introductory page. The user finds a training file, loads it with a
// double-click, sees its name and sizes, and moves on to the setup page.

#include <QProgressBar>
#include <QTimer>

#include <array>
#include <memory>

#include "pages/framework/ControlKit.h"
#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"
#include "pages/framework/Page.h"
#include "pages/main/BackgroundRead.h"
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
    // A read still running is abandoned: the earlier file stays loaded.
    void Form_Unload(UnloadReason reason) override;
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
    // Shown while a large file is read in the background.
    QLabel* ReadingLabel() const { return ReadingCaption; }
    QProgressBar* ReadingProgressBar() const { return ReadingProgress; }
    // True while a file is being read in the background.
    bool Reading() const { return read_ != nullptr; }

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
    QLabel* ReadingCaption;
    QProgressBar* ReadingProgress;

    void StartBackgroundRead(const std::string& folder, const std::string& name);
    void PollBackgroundRead();
    // While a file is read, the lists and Next Page wait; Exit stays usable.
    void SetChoosingEnabled(bool enabled);
    void ShowChoice(const FileChoice& choice);

    std::unique_ptr<BackgroundFileRead> read_;
    QTimer readPoll_;
};

}  // namespace mnemex::pages
