#pragma once
// Page Start: asks whether to uninstall Mnemex.

#include <QLabel>
#include <QPushButton>

#include "UninstallerPage.h"

namespace mnemex::uninstall {

class StartPage : public UninstallerPage {
    Q_OBJECT
  public:
    explicit StartPage(Program& program);

    void Form_Load() override;
    // Loads the Uninstall page, whose load step does the whole search, then unloads this page.
    void Yes_Click();
    // Ends the program.
    void Cancel_Click();
    // The window's close button means Cancel.
    void Form_UserClose() override { Cancel_Click(); }

    // The controls, by what they are.
    QLabel* QuestionLabel() const { return Label1; }
    QPushButton* YesButton() const { return Yes; }
    QPushButton* CancelButton() const { return Cancel; }

  private:
    QLabel* Label1;
    QPushButton* Yes;
    QPushButton* Cancel;
};

}  // namespace mnemex::uninstall
