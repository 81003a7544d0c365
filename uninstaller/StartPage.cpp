#include "StartPage.h"

#include "Program.h"
#include "pages/framework/ControlKit.h"

namespace mnemex::uninstall {

StartPage::StartPage(Program& program)
    : UninstallerPage(program, QStringLiteral("Uninstall"), 3480, 2565),
      Label1(MakeLabel(this, "Label1", QStringLiteral("Uninstall Mnemex?"), {540, 540, 2640, 630},
                       {"MS Sans Serif", 12, kBold}, Qt::AlignLeft | Qt::AlignVCenter)),
      Yes(MakeButton(this, "Yes", QStringLiteral("Yes"), {210, 1425, 1260, 525},
                     {"MS Sans Serif", 12})),
      Cancel(MakeButton(this, "Cancel", QStringLiteral("Cancel"), {1620, 1410, 1320, 540},
                        {"MS Sans Serif", 12})) {
    setObjectName(QStringLiteral("Start"));
    setTabOrder(Yes, Cancel);
    connect(Yes, &QPushButton::clicked, this, [this] { program_.Run([this] { Yes_Click(); }); });
    connect(Cancel, &QPushButton::clicked, this,
            [this] { program_.Run([this] { Cancel_Click(); }); });
}

void StartPage::Form_Load() {
    program_.Vars().NotFoundUsed = 0;
}

void StartPage::Yes_Click() {
    program_.LoadUninstall();
    program_.Unload(*this);
}

void StartPage::Cancel_Click() {
    program_.End();
}

}  // namespace mnemex::uninstall
