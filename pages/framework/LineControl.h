#pragma once
// A straight line on a page, given by its end points (X1, Y1) and (X2, Y2) in twips.

#include <QWidget>

namespace mnemex {

class LineControl : public QWidget {
    Q_OBJECT
  public:
    explicit LineControl(QWidget* parent = nullptr);

    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    // Sets both end points (twips, in the parent's coordinates).
    void SetEnds(int x1, int y1, int x2, int y2);
    // Moves both end points by (dx, dy) twips.
    void MoveBy(int dx, int dy) { SetEnds(x1_ + dx, y1_ + dy, x2_ + dx, y2_ + dy); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int x1_ = 0;
    int y1_ = 0;
    int x2_ = 0;
    int y2_ = 0;
};

}  // namespace mnemex
