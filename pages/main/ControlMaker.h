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
        widget->setFont(FontByName(QString::fromLatin1(font->name), font->points, font->style));
    return widget;
}

}  // namespace mnemex::pages
