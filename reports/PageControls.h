#pragma once
// Labels and buttons placed by twips on the result pages.

#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace mnemex::pages {

// A button whose caption wraps onto several lines when it is wider than the button.
class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    CaptionButton(const QString& caption, QWidget* parent);
    QString Caption() const { return caption_->text(); }

  private:
    QLabel* caption_;
};

// Left, top, width and height of a control in twips.
struct TwipBox {
    int left, top, width, height;
};

// A centred, word-wrapped label named `name`.
QLabel* AddLabel(QWidget* page, const char* name, const QString& text, TwipBox at,
                 const QFont& font);

// A button named `name`.
CaptionButton* AddButton(QWidget* page, const char* name, const QString& caption, TwipBox at,
                         const QFont& font);

}  // namespace mnemex::pages
