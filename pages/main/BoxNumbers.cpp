#include "pages/main/BoxNumbers.h"

#include <cmath>

#include <QRegularExpression>
#include <QString>

#include "core/NumberForms.h"
#include "core/RunTimeError.h"

namespace mnemex::pages {

namespace {

// Anything that spells a special value rather than digits; QLocale accepts some of these.
bool NamesSpecialValue(const QString& text) {
    const QString lower = text.toLower();
    return lower.contains(QStringLiteral("nan")) || lower.contains(QStringLiteral("inf"));
}

// In locales that group digits with a point, "1.000" means a thousand to the user; a point
// is taken as a decimal point only where it cannot be such a group.
bool PointCouldBeGrouping(const QLocale& locale, const QString& text) {
    if (locale.groupSeparator() != QStringLiteral("."))
        return false;
    static const QRegularExpression grouped(QStringLiteral("\\d\\.\\d{3}(?!\\d)"));
    return grouped.match(text).hasMatch();
}

}  // namespace

double ReadBoxNumber(const QLocale& locale, const std::string& text) {
    const QString body = QString::fromStdString(text).trimmed();
    if (body.isEmpty() || NamesSpecialValue(body))
        throw RunTimeException(kTypeMismatch);

    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = strict.toDouble(body, &ok);
    if (!ok && locale.decimalPoint() != QStringLiteral(".") &&
        !PointCouldBeGrouping(locale, body)) {
        // The design-time texts ("0.10") and the slider texts are written with a point.
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        value = plain.toDouble(body, &ok);
    }
    if (!ok)
        throw RunTimeException(kTypeMismatch);
    if (!std::isfinite(value))
        throw RunTimeException(kOverflow);
    return value;
}

NumberReader LocaleNumberReader(const QLocale& locale) {
    return [locale](const std::string& text) { return ReadBoxNumber(locale, text); };
}

std::optional<int> SliderPositionFor(const std::string& boxText, int minimum, int maximum,
                                     const NumberReader& read) {
    double value = 0.0;
    try {
        value = read(boxText);
    } catch (const RunTimeException&) {
        return std::nullopt;
    }
    if (std::isnan(value))
        return std::nullopt;
    const double scaled = std::nearbyint(value * 100.0);  // halves to even
    if (!(scaled > minimum))
        return minimum;
    if (!(scaled < maximum))
        return maximum;
    return static_cast<int>(scaled);
}

std::string BoxTextForSlider(int position) {
    return FormatGeneral(position / 100.0);
}

}  // namespace mnemex::pages
