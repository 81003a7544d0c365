#pragma once
// What a student sees of a page, checked without looking: texts that do not fit their
// control, text too faint to read, controls a screen reader cannot name, and the order
// the Tab key visits the controls in.

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace mnemex::testsupport {

// One line per caption on `page` whose text does not fit its control with the font the
// control really uses: the labels and buttons of ClippedCaptions, then the visible check
// boxes, option buttons, frame titles and chart texts ("name: text (why)").
QStringList ClippedTexts(QWidget* page);

// The contrast ratio (1 to 21) of two colours, by their relative luminance.
double ContrastRatio(const QColor& a, const QColor& b);

// One line per visible text control whose text, in the state it is in now, has a contrast
// below 4.5:1 against its background: "name: ratio".
QStringList FaintTexts(QWidget* page);

// One line per visible control that a screen reader would announce without a name.
QStringList UnnamedControls(QWidget* page);

// The object names of the controls Tab visits on `page`, in order, starting from the
// first one in the focus chain (visible, enabled controls that take focus by Tab); a group
// of option buttons is one stop, named after its frame.
QStringList TabOrder(QWidget* page);

}  // namespace mnemex::testsupport
