#pragma once
// Keeps a wrapped label's whole text readable inside its fixed box: where this system's font
// runs wider than the one the layout was drawn with, the font steps down until the text fits.

class QLabel;

namespace mnemex::uninstall {

// Shrinks the label's font in half-point steps, down to at most minimumPoints, until its
// word-wrapped text fits the label's current size.
void ShrinkFontToFit(QLabel* label, double minimumPoints = 8.0);

}  // namespace mnemex::uninstall
