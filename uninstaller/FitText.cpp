#include "FitText.h"

#include <QFontMetrics>
#include <QLabel>

namespace mnemex::uninstall {

namespace {

bool Fits(const QLabel* label, const QFont& font) {
    const QRect box(QPoint(0, 0), label->contentsRect().size());
    const QRect needed =
        QFontMetrics(font).boundingRect(box, Qt::TextWordWrap | label->alignment(), label->text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

}  // namespace

void ShrinkFontToFit(QLabel* label, double minimumPoints) {
    QFont font = label->font();
    while (!Fits(label, font) && font.pointSizeF() - 0.5 >= minimumPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
}

}  // namespace mnemex::uninstall
