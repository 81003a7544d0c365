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

// A font for a layout name and size in points. "MS Sans Serif" becomes the system's sans
// serif font; "Arial" and "Courier" go to fontconfig, which gives the metric-compatible
// Liberation fonts; any other name falls back on a sans serif font when it is missing.
QFont FontByName(const QString& name, double points, FontStyle style = {});

}  // namespace mnemex
