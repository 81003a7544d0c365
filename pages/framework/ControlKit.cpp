#include "pages/framework/ControlKit.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace mnemex {

WrapButton::WrapButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                  const FontSpec& font, Qt::Alignment align) {
    auto* label = Placed(new QLabel(caption, parent), name, at, &font);
    label->setWordWrap(true);
    if (!(align & Qt::AlignVertical_Mask))
        align |= Qt::AlignTop;
    label->setAlignment(align);
    return label;
}

WrapButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                       const FontSpec& font) {
    return Placed(new WrapButton(caption, parent), name, at, &font);
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text, TwipRect at,
                       const FontSpec& font) {
    return Placed(new QLineEdit(text, parent), name, at, &font);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                        const FontSpec& font) {
    return Placed(new QCheckBox(caption, parent), name, at, &font);
}

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, TwipRect at,
                         const FontSpec& font) {
    return Placed(new QRadioButton(caption, parent), name, at, &font);
}

}  // namespace mnemex
