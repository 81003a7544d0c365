#pragma once
// What a click on the probe page's Ok button does, without the page.

#include <QString>

#include "core/PublicStuff.h"

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

}  // namespace mnemex::pages
