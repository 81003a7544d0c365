#include "pages/framework/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace mnemex {

QFont FontByName(const QString& name, double points, FontStyle style) {
    QFont font;
    if (name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    } else if (name.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) {
        font.setFamilies(
            QStringList{name, QStringLiteral("Liberation Mono"), QStringLiteral("monospace")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        font.setFamilies(
            QStringList{name, QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(points);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

}  // namespace mnemex
