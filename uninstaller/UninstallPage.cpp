#include "UninstallPage.h"

#include <QCoreApplication>

#include <exception>

#include "NotFoundPage.h"
#include "Program.h"
#include "pages/framework/ControlKit.h"

namespace mnemex::uninstall {

UninstallPage::UninstallPage(Program& program)
    : UninstallerPage(program, QStringLiteral("Uninstalling Mnemex"), 4275, 3090),
      Label1(MakeLabel(this, "Label1", QStringLiteral("Uninstalling Mnemex ...."),
                       {540, 210, 3060, 735}, {"MS Sans Serif", 9.75},
                       Qt::AlignLeft | Qt::AlignVCenter)),
      // No font of its own: the page's.
      Label2(Placed(new QLabel(QStringLiteral("Locating   ST6UNST.EXE ..."), this), "Label2",
                    {735, 1545, 2565, 945})) {
    setObjectName(QStringLiteral("Uninstall"));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void UninstallPage::Form_Load() {
    Public& vars = program_.Vars();
    try {
        vars.ExeName = kToolName;
        vars.LogFile = program_.Os().AppFolder() + kPathSeparator + kLogName;
        program_.Show(*this);
        Label2->setText(kStatusChecking);
        // Let the page appear before the search, which can take a while; the user may close it
        // meanwhile, which Os() below turns into the end of this step.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        OsServices& os = program_.Os();
        if (!os.FileExists(vars.LogFile)) {
            program_.Message(LogMissingMessage());
            program_.End();
        }
        const QString candidate = os.GetWindowsDirectory() + kPathSeparator + vars.ExeName;
        if (os.FileExists(candidate)) {
            RunUninstallTool(candidate);
        }
        const QString found = FindFileInTree(os, kSearchRoot, vars.ExeName);
        if (!found.isEmpty()) {
            RunUninstallTool(found);
        }
        program_.Show(program_.LoadNotFound());
    } catch (const UninstallRunTimeError&) {
        ErrorStep();
    } catch (const std::exception&) {
        ErrorStep();
    }
}

void UninstallPage::Form_Activate() {
    Public& vars = program_.Vars();
    if (vars.NotFoundUsed != 1) {
        return;
    }
    try {
        if (vars.ExeFound == 0) {
            Label2->setText(kStatusNotFound);
            program_.Message(GaveUpMessage());
            program_.End();
        }
        RunUninstallTool(vars.ChosenExePath);
    } catch (const UninstallRunTimeError&) {
        ErrorStep();
    } catch (const std::exception&) {
        ErrorStep();
    }
}

void UninstallPage::Form_UserClose() {
    program_.End();
}

void UninstallPage::RunUninstallTool(const QString& toolPath) {
    Label2->setText(kStatusRunning);
    const QString commandLine = BuildCommandLine(toolPath, program_.Vars().LogFile);
    if (!program_.Os().StartProgram(commandLine)) {
        throw UninstallRunTimeError{QStringLiteral("Cannot start ") + toolPath};
    }
    program_.End();
}

void UninstallPage::ErrorStep() {
    program_.Message(RunTimeErrorMessage());
    program_.Unload(*this);
    program_.End();
}

}  // namespace mnemex::uninstall
