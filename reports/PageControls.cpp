#include "reports/PageControls.h"

#include <QVBoxLayout>

#include "pages/framework/Twips.h"

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

QLabel* AddLabel(QWidget* page, const char* name, const QString& text, TwipBox at,
                 const QFont& font) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name));
    PlaceTwips(label, at.left, at.top, at.width, at.height);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

CaptionButton* AddButton(QWidget* page, const char* name, const QString& caption, TwipBox at,
                         const QFont& font) {
    auto* button = new CaptionButton(caption, page);
    button->setObjectName(QLatin1String(name));
    PlaceTwips(button, at.left, at.top, at.width, at.height);
    button->setFont(font);
    return button;
}

}  // namespace mnemex::pages
