#pragma once
// The two kinds of printout the pages make, as sequences of printer operations.

#include <QImage>
#include <QString>

#include "pages/framework/printing/PagePrinter.h"

namespace mnemex::pages {

// A text under a heading: empty line, bold Courier 10 heading, bold off, empty line, the
// text, end of document. Returns EndDoc's result.
bool PrintHeadedText(PagePrinter& printer, const QString& heading, const QString& text);

// A chart: a line of one blank, the picture at the top-left corner, end of document.
// Returns EndDoc's result.
bool PrintChartPicture(PagePrinter& printer, const QImage& picture);

}  // namespace mnemex::pages
