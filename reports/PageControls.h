#pragma once
// Controls placed at fixed positions on the result pages.

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>

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

// A centred, word-wrapped label named `name` at `at`.
QLabel* AddLabel(QWidget* page, const char* name, const QString& text, const QRect& at,
                 const QFont& font);

// A button named `name` at `at`.
CaptionButton* AddButton(QWidget* page, const char* name, const QString& caption, const QRect& at,
                         const QFont& font);

}  // namespace mnemex::pages
