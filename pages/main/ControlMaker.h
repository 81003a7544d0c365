#pragma once
// Creating a page's controls at their twip positions with their fonts, so the page
// constructors read like the layouts they follow.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include "pages/framework/Fonts.h"

namespace mnemex::pages {

// A push button whose caption wraps onto more lines when it is wider than the button, as
// the classic buttons do ("Go To Next Page To Set Training Parameters").
class WrapButton : public QPushButton {
    Q_OBJECT
  public:
    WrapButton(const QString& caption, QWidget* parent);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A twip rectangle: Left, Top, Width, Height.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// A font as the layouts give it: name, points and style.
struct FontSpec {
    const char* name;
    double points;
    FontStyle style = {};
};

inline constexpr FontStyle kBold{true, false, false};
inline constexpr FontStyle kBoldItalic{true, true, false};
inline constexpr FontStyle kItalic{false, true, false};
inline constexpr FontStyle kBoldUnderlined{true, false, true};

// Names, places and dresses a control; returns it.
template <class W>
W* Placed(W* widget, const char* name, Twips at, const FontSpec* font = nullptr);

// A label with word wrap, top-aligned as on the classic pages; `align` is its horizontal part.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, Twips at,
                  const FontSpec& font, Qt::Alignment align = Qt::AlignLeft);
// "MS Sans Serif" (a narrow bitmap font) is closest to the Arial-metric sans serif, which the
// layouts' widths were made for; every other name goes to FontByName as it is.
QFont PageFont(const FontSpec& font);

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Twips at,
                        const FontSpec& font);
QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text, Twips at,
                       const FontSpec& font);
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, Twips at,
                        const FontSpec& font);
QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, Twips at,
                         const FontSpec& font);

// The notice line at the bottom of every main page.
QString NoticeText();

}  // namespace mnemex::pages

#include "pages/framework/Twips.h"

namespace mnemex::pages {

template <class W>
W* Placed(W* widget, const char* name, Twips at, const FontSpec* font) {
    widget->setObjectName(QString::fromLatin1(name));
    PlaceTwips(widget, at.left, at.top, at.width, at.height);
    if (font)
        widget->setFont(PageFont(*font));
    return widget;
}

}  // namespace mnemex::pages
