#pragma once
// A dialog backend for tests: records every dialog and answers from a script, so page
// tests can press Yes or No, type a name or cancel without a screen.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "pages/framework/Dialogs.h"

namespace mnemex {

class ScriptedDialogBackend : public DialogBackend {
  public:
    struct Shown {
        QString text;   // with "\n" line breaks
        QString title;  // as the user would see it
        MsgStyle style = MsgStyle::OkOnly;
        bool isPrompt = false;
    };

    // Queues the answer for the next Yes/No box (kMsgYes or kMsgNo); No when none is queued.
    void QueueButton(int button) { buttons_.push_back(button); }
    // Queues the text for the next prompt; empty text stands for Cancel.
    void QueueText(const QString& text) { texts_.push_back(text); }
    // Queues the answer of the next file dialog (save or open); empty text stands for Cancel.
    void QueueFileName(const QString& name) { fileNames_.push_back(name); }

    int ShowMessage(const QString& text, MsgStyle style, const QString& title) override {
        shown.push_back({text, title, style, false});
        if (whileShown) {
            whileShown(shown.back());
        }
        if (style != MsgStyle::YesNoQuestion) {
            return kMsgOk;
        }
        if (buttons_.empty()) {
            return kMsgNo;
        }
        const int b = buttons_.front();
        buttons_.pop_front();
        return b;
    }

    QString AskText(const QString& prompt, const QString& title) override {
        shown.push_back({prompt, title, MsgStyle::OkOnly, true});
        if (texts_.empty()) {
            return {};
        }
        QString t = texts_.front();
        texts_.pop_front();
        return t;
    }

    QString AskSaveFileName(const QString& caption, const QString& suggested,
                            const QString& filter) override {
        fileDialogs.push_back({caption, suggested, filter, true});
        return NextFileName();
    }

    QString AskOpenFileName(const QString& caption, const QString& folder,
                            const QString& filter) override {
        fileDialogs.push_back({caption, folder, filter, false});
        return NextFileName();
    }

    struct FileDialogShown {
        QString caption;
        QString start;  // the suggested name, or the folder the open dialog starts in
        QString filter;
        bool forSaving = false;
    };
    // Every file dialog shown so far, oldest first (they are not counted in `shown`).
    std::vector<FileDialogShown> fileDialogs;

    // Every message box and prompt shown so far, oldest first.
    std::vector<Shown> shown;
    // Runs while a message box is up, to look at what the user sees behind it.
    std::function<void(const Shown&)> whileShown;

  private:
    QString NextFileName() {
        if (fileNames_.empty()) {
            return {};
        }
        QString name = fileNames_.front();
        fileNames_.pop_front();
        return name;
    }

    std::deque<int> buttons_;
    std::deque<QString> texts_;
    std::deque<QString> fileNames_;
};

}  // namespace mnemex
