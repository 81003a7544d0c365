#pragma once
// The one way pages of both programs create their controls: named, placed at their twip
// rectangles and dressed in the fonts their layouts give, so that a page constructor reads
// like the layout it follows.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include "pages/framework/Fonts.h"
#include "pages/framework/Twips.h"

namespace mnemex {

// A push button whose caption wraps onto more lines when it is wider than the button, as
// the classic buttons do ("Go To Next Page To Set Training Parameters"). text() is the caption.
class WrapButton : public QPushButton {
    Q_OBJECT
  public:
    WrapButton(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Gives the control its layout name (its object name), places it and, when a font is
// given, dresses it; returns it.
template <class W>
W* Placed(W* widget, const char* name, TwipRect at, const FontSpec* font = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    PlaceTwips(widget, at);
    if (font)
        widget->setFont(FontFor(*font));
    return widget;
}

// A word-wrapped label. `align` is its horizontal alignment; it stands at the top of its
// box, as classic labels do, unless `align` names a vertical alignment too.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                  const FontSpec& font, Qt::Alignment align = Qt::AlignLeft);
WrapButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                       const FontSpec& font);
QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text, TwipRect at,
                       const FontSpec& font);
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                        const FontSpec& font);
QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                         const FontSpec& font);

}  // namespace mnemex
