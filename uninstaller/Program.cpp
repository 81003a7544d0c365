#include "Program.h"

#include <QGuiApplication>

#include "NotFoundPage.h"
#include "StartPage.h"
#include "UninstallPage.h"

namespace mnemex::uninstall {

Program::Program(OsServices& os, DialogBackend& dialogs, const DriveSource& drives,
                 std::function<void()> onEnd)
    : os_(os), dialogs_(dialogs, kProgramTitle), drives_(drives), onEnd_(std::move(onEnd)) {}

Program::~Program() {
    delete notFound_.data();
    delete uninstall_.data();
    delete start_.data();
}

StartPage* Program::Start() const {
    return start_;
}
UninstallPage* Program::Uninstall() const {
    return uninstall_;
}
NotFoundPage* Program::NotFound() const {
    return notFound_;
}

void Program::CheckRunning() const {
    if (ended_) {
        throw ProgramEnded{};
    }
}

OsServices& Program::Os() {
    CheckRunning();
    return os_;
}

void Program::Message(const QString& text) {
    CheckRunning();
    dialogs_.MsgBox(text, MsgStyle::OkOnly);
}

template <typename PageType>
PageType& Program::Load(QPointer<PageType>& slot) {
    CheckRunning();
    if (!slot) {
        slot = new PageType(*this);
        slot->Form_Load();
    }
    return *slot;
}

StartPage& Program::LoadStart() {
    return Load(start_);
}
UninstallPage& Program::LoadUninstall() {
    return Load(uninstall_);
}
NotFoundPage& Program::LoadNotFound() {
    return Load(notFound_);
}

void Program::Show(UninstallerPage& page) {
    CheckRunning();
    page.show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        page.raise();  // the offscreen platform has no stacking order to change
    }
    page.activateWindow();
    if (active_ != &page) {
        active_ = &page;
        page.Form_Activate();
    }
}

void Program::Hide(UninstallerPage& page) {
    CheckRunning();
    page.hide();
    if (active_ == &page) {
        active_ = nullptr;
    }
}

void Program::Unload(UninstallerPage& page) {
    CheckRunning();
    if (active_ == &page) {
        active_ = nullptr;
    }
    page.SetClosingByProgram();
    page.close();
    // Later: the page may be unloading itself from inside one of its own handlers.
    page.deleteLater();
    if (start_ == &page) {
        start_ = nullptr;
    } else if (uninstall_ == &page) {
        uninstall_ = nullptr;
    } else if (notFound_ == &page) {
        notFound_ = nullptr;
    }
}

void Program::End() {
    if (!ended_) {
        for (UninstallerPage* page : {static_cast<UninstallerPage*>(notFound_.data()),
                                      static_cast<UninstallerPage*>(uninstall_.data()),
                                      static_cast<UninstallerPage*>(start_.data())}) {
            if (page) {
                page->SetClosingByProgram();
                page->close();
                page->deleteLater();
            }
        }
        start_ = nullptr;
        uninstall_ = nullptr;
        notFound_ = nullptr;
        active_ = nullptr;
        ended_ = true;
        if (onEnd_) {
            onEnd_();
        }
    }
    throw ProgramEnded{};
}

void Program::Run(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    try {
        handler();
    } catch (const ProgramEnded&) {
    }
}

}  // namespace mnemex::uninstall
