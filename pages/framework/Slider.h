#pragma once
// A slider with the two events the pages use: Scroll while the user moves it (mouse or
// keys) and Click when the user releases the mouse on it. Setting the value from code
// raises neither.

#include <QSlider>

namespace mnemex {

class Slider : public QWidget {
    Q_OBJECT
  public:
    // A horizontal slider with minimum 0, maximum 10, small change 1 and large change 5.
    explicit Slider(QWidget* parent = nullptr);

    int Min() const { return slider_->minimum(); }
    int Max() const { return slider_->maximum(); }
    int Value() const { return slider_->value(); }
    int SmallChange() const { return slider_->singleStep(); }
    int LargeChange() const { return slider_->pageStep(); }
    // Sets the range; the value is kept inside it.
    void SetRange(int min, int max);
    // Sets the value (clamped to the range) without Scroll or Click.
    void SetValue(int value);
    void SetSmallChange(int step) { slider_->setSingleStep(step); }
    void SetLargeChange(int step) { slider_->setPageStep(step); }
    // What the user's moving the thumb to `value` does: the value changes, then Scroll.
    void UserMoveTo(int value);
    // What the user's releasing the mouse on the slider does: Click.
    void UserClick();
    // The slider widget itself, for styling.
    QSlider* Control() const { return slider_; }
    // What a screen reader calls the slider.
    void SetAccessibleName(const QString& name) { slider_->setAccessibleName(name); }

  signals:
    void Scroll();
    void Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSlider* slider_;
};

}  // namespace mnemex
