#pragma once
// Message boxes and the text prompt. Pages talk to `Dialogs`, which prepares the text and
// title; a `DialogBackend` puts the dialog on screen, and tests put a scripted one in its place.

#include <QPointer>
#include <QString>

class QWidget;

namespace mnemex {

enum class MsgStyle {
    OkOnly,         // an OK button, no icon
    OkWarning,      // an OK button and the warning icon
    YesNoQuestion,  // Yes and No, the question icon, No as the default button
};

// Button codes a message box returns.
inline constexpr int kMsgOk = 1;
inline constexpr int kMsgYes = 6;
inline constexpr int kMsgNo = 7;

// Shows dialogs. Texts arrive with "\n" line breaks and the title already chosen.
class DialogBackend {
  public:
    virtual ~DialogBackend() = default;
    // Shows a message box and returns kMsgOk, kMsgYes or kMsgNo.
    virtual int ShowMessage(const QString& text, MsgStyle style, const QString& title) = 0;
    // Asks for one line of text; returns it, or empty text on Cancel.
    virtual QString AskText(const QString& prompt, const QString& title) = 0;
    // Asks for a file name to write: starting at `suggested` (a path), showing the files
    // `filter` names ("PDF files (*.pdf)"). Returns the name, or empty text on Cancel.
    virtual QString AskSaveFileName(const QString& caption, const QString& suggested,
                                    const QString& filter) = 0;
    // Asks for an existing file to read, starting in `folder`. Empty text on Cancel.
    virtual QString AskOpenFileName(const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
};

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, modal over the active window.
class QtDialogBackend : public DialogBackend {
  public:
    int ShowMessage(const QString& text, MsgStyle style, const QString& title) override;
    QString AskText(const QString& prompt, const QString& title) override;
    QString AskSaveFileName(const QString& caption, const QString& suggested,
                            const QString& filter) override;
    QString AskOpenFileName(const QString& caption, const QString& folder,
                            const QString& filter) override;
};

// A message text with each CR (13), and each CR LF pair, turned into one "\n".
QString MessageText(const QString& text);

class Dialogs {
  public:
    // `programTitle` is the default title; empty means QApplication::applicationDisplayName().
    explicit Dialogs(DialogBackend& backend, QString programTitle = {});

    // A message box; without a title it carries the program's title. Returns the button code.
    int MsgBox(const QString& text, MsgStyle style = MsgStyle::OkOnly, const QString& title = {});
    // A prompt with OK and Cancel; returns the typed text, empty on Cancel.
    QString InputBox(const QString& prompt, const QString& title = {});
    // The file dialogs: a name to save under, an existing file to open; empty on Cancel.
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter);
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter);
    // The title used when none is given.
    QString ProgramTitle() const;

  private:
    QString TitleOrDefault(const QString& title) const;

    DialogBackend& backend_;
    QString programTitle_;
};

}  // namespace mnemex
