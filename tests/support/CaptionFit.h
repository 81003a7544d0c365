#pragma once
// Whether the texts of a window's labels and buttons can be read whole: each wrapped
// caption, in the control's own font, inside the box the control has for it.

#include <QStringList>

class QWidget;

namespace mnemex::testsupport {

// "objectName: text" of every label and push button of `window` (its descendants) whose
// word-wrapped text is wider or taller than its control leaves room for. Empty texts fit.
QStringList ClippedCaptions(const QWidget& window);

}  // namespace mnemex::testsupport
