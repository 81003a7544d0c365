#include "pages/main/ControlMaker.h"

namespace mnemex::pages {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, Twips at,
                  const FontSpec& font, Qt::Alignment align) {
    auto* label = Placed(new QLabel(caption, parent), name, at, &font);
    label->setWordWrap(true);
    label->setAlignment(align | Qt::AlignTop);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Twips at,
                        const FontSpec& font) {
    return Placed(new QPushButton(caption, parent), name, at, &font);
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
