#include "pages/framework/Fonts.h"

#include <QStringList>

namespace mnemex {

QFont FontByName(const QString& name, double points, FontStyle style) {
    QFont font;
    if (name.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) {
        font.setFamilies(
            QStringList{name, QStringLiteral("Liberation Mono"), QStringLiteral("monospace")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        const QString family =
            name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0
                ? QStringLiteral("Arial")
                : name;
        font.setFamilies(
            QStringList{family, QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(points);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

QFont FontFor(const FontSpec& font) {
    return FontByName(QString::fromLatin1(font.name), font.points, font.style);
}

}  // namespace mnemex
