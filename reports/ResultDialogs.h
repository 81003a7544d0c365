#pragma once
// The dialogs the result pages ask the user with; tests answer them from a script.

#include <QString>

namespace mnemex {
class Dialogs;
}

namespace mnemex::pages {

class ResultDialogs {
  public:
    virtual ~ResultDialogs() = default;
    // An OK-only message with the program's title; CR in the text starts a new line.
    virtual void Message(const QString& text) = 0;
    // A short warning with a title and the warning icon.
    virtual void Warning(const QString& text, const QString& title) = 0;
    // A Yes/No question with the question icon and No as the default; true for Yes.
    virtual bool AskYesNo(const QString& text, const QString& title) = 0;
    // A text prompt with OK/Cancel: the typed text, or empty text on Cancel.
    virtual QString Prompt(const QString& prompt, const QString& title) = 0;
    // A file name to save a PDF printout under, or empty text when cancelled.
    virtual QString PdfFileName(const QString& suggested) = 0;
};

// The program's dialogs: the page framework's message boxes, prompt and file dialog.
class PageDialogs : public ResultDialogs {
  public:
    explicit PageDialogs(Dialogs& dialogs) : dialogs_(dialogs) {}
    void Message(const QString& text) override;
    void Warning(const QString& text, const QString& title) override;
    bool AskYesNo(const QString& text, const QString& title) override;
    QString Prompt(const QString& prompt, const QString& title) override;
    QString PdfFileName(const QString& suggested) override;

  private:
    Dialogs& dialogs_;
};

}  // namespace mnemex::pages
