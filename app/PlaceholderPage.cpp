#include "app/PlaceholderPage.h"

#include <QLabel>
#include <QPushButton>

#include "pages/framework/Fonts.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/Twips.h"

namespace mnemex {

PlaceholderPage::PlaceholderPage(PageContext& context) : Page(context, QStringLiteral("Network1")) {
    setWindowTitle(QStringLiteral("Corlan Neural Net Code -- Introductory Form"));
    auto* title = new QLabel(
        QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"), this);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    title->setFont(FontByName(QStringLiteral("Arial"), 20.25, {.bold = true, .italic = true}));
    PlaceTwips(title, 1440, 240, 6975, 1335);
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setFont(FontByName(QStringLiteral("Arial"), 12, {.bold = true, .italic = true}));
    PlaceTwips(exit, 7560, 7320, 1695, 615);
    connect(exit, &QPushButton::clicked, this, [this] { Pages().EndProgram(); });
}

void PlaceholderPage::Form_Load() {
    FrameStart();
}

}  // namespace mnemex
