#pragma once
// An up-down control bound to a text box: its arrows step the number in the box.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace mnemex::pages {

class UpDownControl : public QWidget {
    Q_OBJECT
  public:
    // Steps the number in `buddy` between minimum and maximum by one per click.
    UpDownControl(QLineEdit* buddy, QWidget* parent);
    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    int Value() const { return value_; }
    int Maximum() const { return maximum_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  private:
    void Step(int delta);

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 1;
    int maximum_ = 1;
    int value_ = 1;
};

}  // namespace mnemex::pages
