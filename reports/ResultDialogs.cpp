#include "reports/ResultDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace mnemex::pages {

namespace {

// Message texts join their lines with CR; the toolkit breaks lines at LF.
QString ScreenText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QString ProgramTitle() {
    return QStringLiteral("Mnemex");
}

void ScreenDialogs::Message(const QString& text) {
    QMessageBox::information(parent_, ProgramTitle(), ScreenText(text));
}

void ScreenDialogs::Warning(const QString& text, const QString& title) {
    QMessageBox::warning(parent_, title, ScreenText(text));
}

bool ScreenDialogs::AskYesNo(const QString& text, const QString& title) {
    return QMessageBox::question(parent_, title, ScreenText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString ScreenDialogs::Prompt(const QString& prompt, const QString& title) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, {}, &ok);
    return ok ? text : QString();
}

QString ScreenDialogs::PdfFileName(const QString& suggested) {
    return QFileDialog::getSaveFileName(parent_, QStringLiteral("Save Printout As PDF"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"));
}

}  // namespace mnemex::pages
