#pragma once
// Up-down arrows bound to a text box: each arrow steps the number in the box by the
// increment, within the minimum and the maximum, and writes the new number into the box.
// A number the user typed into the box is where the next step starts from.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace mnemex {

class UpDown : public QWidget {
    Q_OBJECT
  public:
    // Minimum 0, maximum 10, increment 1, value 0, no box.
    explicit UpDown(QWidget* parent = nullptr);

    // The box the arrows write into; its number becomes the value, if it is one.
    void SetBuddy(QLineEdit* box);
    QLineEdit* Buddy() const { return buddy_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    // The value, taken again from the box when it holds a whole number.
    int Value() const;
    void SetRange(int min, int max);
    void SetIncrement(int step) { increment_ = step; }
    // Sets the value (kept inside the range) and writes it into the box.
    void SetValue(int value);
    // The up arrow: value + increment, at most the maximum.
    void StepUp();
    // The down arrow: value - increment, at least the minimum.
    void StepDown();

  signals:
    // The value changed through an arrow.
    void Change();

  private:
    void Step(int direction);

    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> buddy_;
    int min_ = 0;
    int max_ = 10;
    int increment_ = 1;
    int value_ = 0;
};

// `value` kept within [min, max], whichever order the two limits are in.
int ClampToRange(long long value, int min, int max);

}  // namespace mnemex
