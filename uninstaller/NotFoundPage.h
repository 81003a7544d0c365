#pragma once
// Page NotFound: lets the user move the drive and folder lists to the folder holding the removal
// tool; reaching it hands the tool's path back to the Uninstall page. Continue gives up.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "UninstallerPage.h"
#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"

namespace mnemex::uninstall {

class NotFoundPage : public UninstallerPage {
    Q_OBJECT
  public:
    explicit NotFoundPage(Program& program);

    // Hides the Uninstall page, lists only files named like the tool, notes the page was used.
    void Form_Load() override;
    // Moves the folder list to the chosen drive's folder.
    void Drive1_Change();
    // The automatic pick: the folder's tool, if there, is handed back at once.
    void Dir1_Change();
    // Shows the double-clicked file's name.
    void File1_DblClick();
    // Gives up: hands back "not found".
    void Continue_Click();
    // Closing the window is giving up too, so the program never lingers without a window.
    void Form_UserClose() override { Continue_Click(); }

    // The controls, by what they are.
    QLabel* InstructionLabel() const { return Label1; }
    DriveList* DriveListBox() const { return Drive1; }
    FolderList* FolderListBox() const { return Dir1; }
    FileList* FileListBox() const { return File1; }
    QLineEdit* ExecutableBox() const { return ExecutableText; }
    QLabel* GiveUpLabel() const { return Label2; }
    QPushButton* ContinueButton() const { return Continue; }

  private:
    QLabel* Label1;
    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    QLineEdit* ExecutableText;
    QLabel* Label2;
    QPushButton* Continue;
};

// The instruction text of the NotFound page.
QString NotFoundInstruction();

}  // namespace mnemex::uninstall
