#include "StartPage.h"

#include "FitText.h"
#include "Program.h"
#include "pages/framework/Fonts.h"
#include "pages/framework/Twips.h"

namespace mnemex::uninstall {

StartPage::StartPage(Program& program)
    : UninstallerPage(program, QStringLiteral("Uninstall"), 3480, 2565),
      Label1(new QLabel(QStringLiteral("Uninstall Mnemex?"), this)),
      Yes(new QPushButton(QStringLiteral("Yes"), this)),
      Cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("Start"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Yes->setObjectName(QStringLiteral("Yes"));
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Label1->setFont(FontByName(QStringLiteral("MS Sans Serif"), 12, {.bold = true}));
    Yes->setFont(FontByName(QStringLiteral("MS Sans Serif"), 12));
    Cancel->setFont(FontByName(QStringLiteral("MS Sans Serif"), 12));
    PlaceTwips(Label1, 540, 540, 2640, 630);
    PlaceTwips(Yes, 210, 1425, 1260, 525);
    PlaceTwips(Cancel, 1620, 1410, 1320, 540);
    Label1->setWordWrap(true);
    ShrinkFontToFit(Label1);
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
