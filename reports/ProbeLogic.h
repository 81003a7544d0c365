#pragma once
// What the probe page's Ok and Print buttons do, without the page.

#include <QString>

#include "core/PublicStuff.h"
#include "pages/framework/printing/PagePrinter.h"

namespace mnemex::pages {

struct ProbeOutcome {
    bool Probed = false;
    QString WindowText;  // the window's new text when probed
    QString Refusal;     // why not, otherwise
};

// Probes the pattern typed in the pattern box and puts its block above `windowText`
// (lines end in CR LF). A number that is not a whole pattern number from 1 to
// NumPatterns is refused before the network is touched.
ProbeOutcome ProbeTypedPattern(PublicStuff& state, const QString& typed, const QString& windowText);

// The refusal's title.
QString ProbeRefusalTitle();

// The probe page's printout: the window's text under a heading naming the training file
// (PrintHeadedText). Returns EndDoc's result.
bool PrintProbeText(PagePrinter& printer, const QString& trainingFileName, const QString& text);

}  // namespace mnemex::pages
