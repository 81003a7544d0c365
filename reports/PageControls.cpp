#include "reports/PageControls.h"

#include <QVBoxLayout>

namespace mnemex::pages {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(parent), caption_(new QLabel(caption, this)) {
    setAccessibleName(caption);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setWordWrap(true);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(caption_);
}

QLabel* AddLabel(QWidget* page, const char* name, const QString& text, const QRect& at,
                 const QFont& font) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(at);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

CaptionButton* AddButton(QWidget* page, const char* name, const QString& caption, const QRect& at,
                         const QFont& font) {
    auto* button = new CaptionButton(caption, page);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    button->setFont(font);
    return button;
}

}  // namespace mnemex::pages
