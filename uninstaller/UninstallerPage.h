#pragma once
// What the uninstaller's three pages have in common: a fixed client area given in twips, the
// Form_Load and Form_Activate events, and what the window's own close button does.

#include <QWidget>

namespace mnemex::uninstall {

class Program;

class UninstallerPage : public QWidget {
    Q_OBJECT
  public:
    UninstallerPage(Program& program, const QString& caption, int widthTwips, int heightTwips);

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // What closing the window with its own button means for this page.
    virtual void Form_UserClose() = 0;

    // Set while the program itself closes the page, so that only the user's close runs
    // Form_UserClose.
    void SetClosingByProgram() { closingByProgram_ = true; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    Program& program_;

  private:
    bool closingByProgram_ = false;
};

}  // namespace mnemex::uninstall
