#include "pages/framework/printing/PrintJobs.h"

namespace mnemex::pages {

bool PrintHeadedText(PagePrinter& printer, const QString& heading, const QString& text) {
    printer.PrintLine(QString());
    printer.SetFont(QStringLiteral("Courier"), 10, true);
    printer.PrintLine(heading);
    printer.SetBold(false);
    printer.PrintLine(QString());
    printer.PrintLine(text);
    return printer.EndDoc();
}

bool PrintChartPicture(PagePrinter& printer, const QImage& picture) {
    printer.PrintLine(QStringLiteral(" "));
    printer.DrawPicture(picture, 0, 0);
    return printer.EndDoc();
}

}  // namespace mnemex::pages
