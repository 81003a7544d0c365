#include "tests/support/CaptionFit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace mnemex::testsupport {

namespace {

bool Fits(const QRect& room, const QFont& font, int flags, const QString& text) {
    const QRect needed = QFontMetrics(font).boundingRect(room, flags | Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The box a push button draws its caption in: its contents, inside the bevel.
QRect CaptionRoom(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.features =
        button.isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

}  // namespace

QStringList ClippedCaptions(const QWidget& window) {
    QStringList clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && !Fits(label->contentsRect(), label->font(),
                                              static_cast<int>(label->alignment()), label->text()))
            clipped << label->objectName() + QStringLiteral(": ") + label->text();
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->text().isEmpty() &&
            !Fits(CaptionRoom(*button), button->font(), Qt::AlignCenter, button->text()))
            clipped << button->objectName() + QStringLiteral(": ") + button->text();
    }
    return clipped;
}

}  // namespace mnemex::testsupport
