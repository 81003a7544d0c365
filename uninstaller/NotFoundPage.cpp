#include "NotFoundPage.h"

#include "Program.h"
#include "UninstallPage.h"
#include "pages/framework/ControlKit.h"
#include "pages/framework/FileChooser.h"

namespace mnemex::uninstall {

QString NotFoundInstruction() {
    return QStringLiteral(
        "The executable file \"ST6UNST.EXE\" could not be found.  Please indicate its location.  "
        "(It is normally found in the \"Windows\" directory.)");
}

NotFoundPage::NotFoundPage(Program& program)
    : UninstallerPage(program, QStringLiteral("Executable Not Found"), 4680, 5580),
      Label1(MakeLabel(this, "Label1", NotFoundInstruction(), {120, 240, 4575, 1455},
                       {"MS Sans Serif", 12, kBold})),
      Drive1(Placed(new DriveList(program.Drives(), this), "Drive1", {120, 1680, 2235, 315})),
      Dir1(Placed(new FolderList(this), "Dir1", {120, 2040, 2175, 2115})),
      File1(Placed(new FileList(this), "File1", {2400, 2145, 2175, 2040})),
      ExecutableText(Placed(new QLineEdit(QStringLiteral("File not found."), this),
                            "ExecutableText", {120, 4200, 4455, 540})),
      Label2(MakeLabel(this, "Label2",
                       QStringLiteral("If unable to find file please press continue."),
                       {75, 4845, 2400, 690}, {"MS Sans Serif", 12})),
      Continue(MakeButton(this, "Continue", QStringLiteral("Continue"), {2550, 4845, 2055, 645},
                          {"MS Sans Serif", 12})) {
    setObjectName(QStringLiteral("NotFound"));
    // Only the program writes it: it reports what the lists found.
    ExecutableText->setReadOnly(true);
    ExecutableText->setAccessibleName(QStringLiteral("Removal tool found"));
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, ExecutableText);
    setTabOrder(ExecutableText, Continue);
    Label1->setFocusPolicy(Qt::NoFocus);
    Label2->setFocusPolicy(Qt::NoFocus);
    // Both lists start on the program's current folder.
    File1->SetPath(Dir1->Path());

    connect(Drive1, &DriveList::Change, this,
            [this] { program_.Run([this] { Drive1_Change(); }); });
    connect(Dir1, &FolderList::Change, this, [this] { program_.Run([this] { Dir1_Change(); }); });
    connect(File1, &FileList::DblClick, this,
            [this] { program_.Run([this] { File1_DblClick(); }); });
    connect(Continue, &QPushButton::clicked, this,
            [this] { program_.Run([this] { Continue_Click(); }); });
}

void NotFoundPage::Form_Load() {
    if (UninstallPage* uninstall = program_.Uninstall()) {
        program_.Hide(*uninstall);
    }
    File1->SetPattern(program_.Vars().ExeName);
    program_.Vars().NotFoundUsed = 1;
}

void NotFoundPage::Drive1_Change() {
    // A drive whose remembered folder has gone opens at its root; one that cannot be opened
    // at all puts the drive list back on the folder list's drive.
    const QString chosen = Drive1->Drive();
    if (!OpenDriveFolder(*Drive1, *Dir1)) {
        program_.Message(DriveNotOpenedMessage(chosen, Dir1->Path()));
    }
}

void NotFoundPage::Dir1_Change() {
    Drive1->RememberFolder(Dir1->Path());
    File1->SetPath(Dir1->Path());
    if (File1->ListCount() < 1) {
        return;
    }
    File1->SetListIndex(0);
    const QString name = File1->FileName();
    ExecutableText->setText(name);
    Public& vars = program_.Vars();
    if (name == vars.ExeName) {
        QString folder = File1->Path();
        if (!folder.endsWith(kPathSeparator)) {
            folder += kPathSeparator;  // a root folder already ends with one
        }
        vars.ChosenExePath = folder + name;
        vars.ExeFound = 1;
        program_.Show(program_.LoadUninstall());
        program_.Unload(*this);
    }
}

void NotFoundPage::File1_DblClick() {
    ExecutableText->setText(File1->FileName());
}

void NotFoundPage::Continue_Click() {
    program_.Vars().ExeFound = 0;
    program_.Show(program_.LoadUninstall());
    program_.Unload(*this);
}

}  // namespace mnemex::uninstall
