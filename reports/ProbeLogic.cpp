#include "reports/ProbeLogic.h"

#include "core/RunTimeError.h"
#include "pages/framework/printing/PrintJobs.h"
#include "reports/text/ProbeText.h"

namespace mnemex::pages {

QString ProbeRefusalTitle() {
    return QStringLiteral("Pattern Number");
}

ProbeOutcome ProbeTypedPattern(PublicStuff& state, const QString& typed,
                               const QString& windowText) {
    ProbeOutcome out;
    const std::string text = typed.toStdString();
    const auto p = report::ParsePatternNumber(text, state.NumPatterns);
    if (!p) {
        out.Refusal = QStringLiteral("Please enter a whole pattern number from 1 to %1.")
                          .arg(state.NumPatterns);
        return out;
    }
    try {
        const std::string block = report::ProbeBlock(state, *p, text);
        out.WindowText = QString::fromStdString(block) + windowText;
        out.Probed = true;
    } catch (const RunTimeException& e) {
        out.Refusal = QStringLiteral(
                          "The network's response to pattern %1 could not be "
                          "computed:\r%2")
                          .arg(*p)
                          .arg(QString::fromStdString(e.Error().Description));
    }
    return out;
}

bool PrintProbeText(PagePrinter& printer, const QString& trainingFileName, const QString& text) {
    return PrintHeadedText(
        printer, QString::fromStdString(report::ProbePrintHeading(trainingFileName.toStdString())),
        text);
}

}  // namespace mnemex::pages
