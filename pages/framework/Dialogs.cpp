#include "pages/framework/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace mnemex {

int QtDialogBackend::ShowMessage(const QString& text, MsgStyle style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (style) {
        case MsgStyle::OkOnly:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::OkWarning:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::YesNoQuestion:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
    }
    const int pressed = box.exec();
    if (style != MsgStyle::YesNoQuestion) {
        return kMsgOk;
    }
    return pressed == QMessageBox::Yes ? kMsgYes : kMsgNo;
}

QString QtDialogBackend::AskText(const QString& prompt, const QString& title) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                 QLineEdit::Normal, {}, &ok);
    return ok ? answer : QString();
}

QString QtDialogBackend::AskSaveFileName(const QString& caption, const QString& suggested,
                                         const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggested, filter);
}

QString QtDialogBackend::AskOpenFileName(const QString& caption, const QString& folder,
                                         const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QString MessageText(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

Dialogs::Dialogs(DialogBackend& backend, QString programTitle)
    : backend_(backend), programTitle_(std::move(programTitle)) {}

int Dialogs::MsgBox(const QString& text, MsgStyle style, const QString& title) {
    return backend_.ShowMessage(MessageText(text), style, TitleOrDefault(title));
}

QString Dialogs::InputBox(const QString& prompt, const QString& title) {
    return backend_.AskText(MessageText(prompt), TitleOrDefault(title));
}

QString Dialogs::SaveFileName(const QString& caption, const QString& suggested,
                              const QString& filter) {
    return backend_.AskSaveFileName(caption, suggested, filter);
}

QString Dialogs::OpenFileName(const QString& caption, const QString& folder,
                              const QString& filter) {
    return backend_.AskOpenFileName(caption, folder, filter);
}

QString Dialogs::ProgramTitle() const {
    return programTitle_.isEmpty() ? QApplication::applicationDisplayName() : programTitle_;
}

QString Dialogs::TitleOrDefault(const QString& title) const {
    return title.isEmpty() ? ProgramTitle() : title;
}

}  // namespace mnemex
