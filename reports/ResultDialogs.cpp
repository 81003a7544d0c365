#include "reports/ResultDialogs.h"

#include "pages/framework/Dialogs.h"

namespace mnemex::pages {

void PageDialogs::Message(const QString& text) {
    dialogs_.MsgBox(text);
}

void PageDialogs::Warning(const QString& text, const QString& title) {
    dialogs_.MsgBox(text, MsgStyle::OkWarning, title);
}

bool PageDialogs::AskYesNo(const QString& text, const QString& title) {
    return dialogs_.MsgBox(text, MsgStyle::YesNoQuestion, title) == kMsgYes;
}

QString PageDialogs::Prompt(const QString& prompt, const QString& title) {
    return dialogs_.InputBox(prompt, title);
}

QString PageDialogs::PdfFileName(const QString& suggested) {
    return dialogs_.SaveFileName(QStringLiteral("Save Printout As PDF"), suggested,
                                 QStringLiteral("PDF files (*.pdf)"));
}

}  // namespace mnemex::pages
