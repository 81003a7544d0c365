#pragma once
// Fonts named as the page layouts name them, resolved to fonts this system has.

#include <QFont>
#include <QString>

namespace mnemex {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

inline constexpr FontStyle kBold{true, false, false};
inline constexpr FontStyle kBoldItalic{true, true, false};
inline constexpr FontStyle kItalic{false, true, false};
inline constexpr FontStyle kBoldUnderlined{true, false, true};

// A font as a layout gives it: name, points and style.
struct FontSpec {
    const char* name;
    double points;
    FontStyle style = {};
};

// A font for a layout name and size in points. "Arial" and "Courier" go to fontconfig, which
// gives the metric-compatible Liberation fonts. "MS Sans Serif", a narrow bitmap font, is
// drawn in the same Arial-metric sans serif: the layouts' widths were made for it, and the
// system's sans serif runs wider and cuts captions. Any other name falls back on a sans
// serif font when it is missing.
QFont FontByName(const QString& name, double points, FontStyle style = {});
QFont FontFor(const FontSpec& font);

}  // namespace mnemex
