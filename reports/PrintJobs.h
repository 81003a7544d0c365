#pragma once
// The two printouts of the result pages, as sequences of printer operations.

#include <QImage>
#include <QString>

#include "reports/PagePrinter.h"

namespace mnemex::pages {

// The probe page's printout: empty line, bold Courier 10 heading naming the training file,
// bold off, empty line, the window's text, end of document. Returns EndDoc's result.
bool PrintProbeText(PagePrinter& printer, const QString& trainingFileName, const QString& text);

// The chart page's printout: a line of one blank, the picture at the top-left corner, end
// of document. Returns EndDoc's result.
bool PrintChartPicture(PagePrinter& printer, const QImage& picture);

}  // namespace mnemex::pages
