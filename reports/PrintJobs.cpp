#include "reports/PrintJobs.h"

#include "reports/text/ProbeText.h"

namespace mnemex::pages {

bool PrintProbeText(PagePrinter& printer, const QString& trainingFileName, const QString& text) {
    printer.PrintLine(QString());
    printer.SetFont(QStringLiteral("Courier"), 10, true);
    printer.PrintLine(
        QString::fromStdString(report::ProbePrintHeading(trainingFileName.toStdString())));
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
