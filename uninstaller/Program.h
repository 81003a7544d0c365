#pragma once
// The running uninstaller: its shared variables, services and pages, and the page operations
// its handlers use (load, show, hide, unload, end the program).
//
// A page becomes the active page when it is shown and was not active; its Form_Activate runs
// right then, inside Show, as the hand-back step relies on. Ending the program closes every page
// and stops the running handler at once: End() throws ProgramEnded, which Run() catches at the
// edge of the event handler.

#include <QPointer>
#include <QString>
#include <functional>

#include "OsServices.h"
#include "Public.h"
#include "pages/framework/Dialogs.h"
#include "pages/framework/DriveSource.h"

namespace mnemex::uninstall {

class UninstallerPage;
class StartPage;
class UninstallPage;
class NotFoundPage;

// Thrown by Program::End; deliberately not a std::exception, so no error trap catches it.
struct ProgramEnded {};

// A failure while locating or starting the tool; the Uninstall page's error step handles it.
struct UninstallRunTimeError {
    QString description;
};

class Program {
  public:
    // onEnd runs once when the program ends (the real program leaves its event loop there).
    Program(OsServices& os, DialogBackend& dialogs, const DriveSource& drives,
            std::function<void()> onEnd);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Public& Vars() { return vars_; }
    // The operating-system services; once the program has ended, asking for them ends the
    // running handler instead, so nothing is searched for or started after the end.
    OsServices& Os();
    const DriveSource& Drives() const { return drives_; }
    // A message box with an OK button only and the program's title.
    void Message(const QString& text);

    // The loaded pages, or null.
    StartPage* Start() const;
    UninstallPage* Uninstall() const;
    NotFoundPage* NotFound() const;

    // Loads a page (creating it and running its Form_Load); does nothing if already loaded.
    StartPage& LoadStart();
    UninstallPage& LoadUninstall();
    NotFoundPage& LoadNotFound();
    // Shows a page without modality and brings it to the front; Form_Activate runs if it was
    // not the active page.
    void Show(UninstallerPage& page);
    void Hide(UninstallerPage& page);
    // Closes and destroys a page.
    void Unload(UninstallerPage& page);
    // Closes every page and ends the program; never returns.
    [[noreturn]] void End();
    bool Ended() const { return ended_; }

    // Runs an event handler. Ending the program inside it stops it there; once ended, nothing runs.
    void Run(const std::function<void()>& handler);

  private:
    template <typename PageType>
    PageType& Load(QPointer<PageType>& slot);
    void CheckRunning() const;

    Public vars_;
    OsServices& os_;
    Dialogs dialogs_;
    const DriveSource& drives_;
    std::function<void()> onEnd_;
    QPointer<StartPage> start_;
    QPointer<UninstallPage> uninstall_;
    QPointer<NotFoundPage> notFound_;
    UninstallerPage* active_ = nullptr;
    bool ended_ = false;
};

}  // namespace mnemex::uninstall
