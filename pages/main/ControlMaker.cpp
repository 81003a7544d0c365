#include "pages/main/ControlMaker.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace mnemex::pages {

WrapButton::WrapButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

QSize WrapButton::sizeHint() const {
    return QPushButton::sizeHint();
}

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

QFont PageFont(const FontSpec& font) {
    QString name = QString::fromLatin1(font.name);
    if (name == QLatin1String("MS Sans Serif"))
        name = QStringLiteral("Arial");
    return FontByName(name, font.points, font.style);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, Twips at,
                  const FontSpec& font, Qt::Alignment align) {
    auto* label = Placed(new QLabel(caption, parent), name, at, &font);
    label->setWordWrap(true);
    label->setAlignment(align | Qt::AlignTop);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Twips at,
                        const FontSpec& font) {
    return Placed(new WrapButton(caption, parent), name, at, &font);
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text, Twips at,
                       const FontSpec& font) {
    return Placed(new QLineEdit(text, parent), name, at, &font);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, Twips at,
                        const FontSpec& font) {
    return Placed(new QCheckBox(caption, parent), name, at, &font);
}

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, Twips at,
                         const FontSpec& font) {
    return Placed(new QRadioButton(caption, parent), name, at, &font);
}

QString NoticeText() {
    return QStringLiteral("Mnemex " MNEMEX_VERSION
                          ". A teaching program: train a distributed associative memory and "
                          "see what it recalls.");
}

}  // namespace mnemex::pages
