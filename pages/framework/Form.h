#pragma once
// A window of the program: a top-level widget with the handlers a page has (load,
// activate, resize, unload), run by a FormManager.

#include <QString>
#include <QWidget>

namespace mnemex {

class FormManager;

// Why a window is being unloaded.
enum class UnloadReason {
    ByProgram,      // the program unloaded it
    ByCloseButton,  // the user closed the window
    ByEndProgram,   // the program is ending
};

class Form : public QWidget {
    Q_OBJECT
  public:
    // A top-level window named `name` (the name the manager knows it by).
    explicit Form(const QString& name, QWidget* parent = nullptr);

    const QString& Name() const { return name_; }
    // The manager that loaded this window, or nullptr.
    FormManager* Manager() const { return manager_; }

    // Runs once, when the manager loads the window (before it is shown).
    virtual void Form_Load() {}
    // Runs each time the window becomes the program's active window, and when it is shown
    // while another window of the program was the active one.
    virtual void Form_Activate() {}
    // Runs on every size change and once when the window is first shown.
    virtual void Form_Resize() {}
    // Runs when the window is unloaded, just before it goes; it cannot refuse.
    virtual void Form_Unload(UnloadReason /*reason*/) {}

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class FormManager;
    QString name_;
    FormManager* manager_ = nullptr;
    bool unloading_ = false;
};

}  // namespace mnemex
