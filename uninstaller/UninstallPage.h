#pragma once
// Page Uninstall: checks for the installation log, finds the removal tool and starts it.

#include <QLabel>

#include "UninstallerPage.h"

namespace mnemex::uninstall {

class UninstallPage : public UninstallerPage {
    Q_OBJECT
  public:
    explicit UninstallPage(Program& program);

    // The load step: log check, then the tool in the Windows directory, else by the tree
    // search, else the NotFound page.
    void Form_Load() override;
    // The hand-back step, once the NotFound page has been used.
    void Form_Activate() override;
    // Nothing is left to go back to: closing the window ends the program.
    void Form_UserClose() override;

    // The controls, by what they are.
    QLabel* HeadingLabel() const { return Label1; }
    QLabel* StatusLabel() const { return Label2; }

  private:
    QLabel* Label1;
    QLabel* Label2;

    // Starts the tool on the log and ends the program.
    [[noreturn]] void RunUninstallTool(const QString& toolPath);
    // Reports a run-time error, unloads this page and ends the program.
    [[noreturn]] void ErrorStep();
};

}  // namespace mnemex::uninstall
