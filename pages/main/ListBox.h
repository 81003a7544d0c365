#pragma once
// A list box as the hub uses it: a click on an item selects it, a click below the last
// item leaves the selection alone, and a double-click anywhere in the list raises DblClick
// (after selecting the item under the pointer, if there is one).

#include <QListWidget>

namespace mnemex::pages {

class ListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);
    // The selected item's index, -1 when none is selected.
    int ListIndex() const;

  signals:
    void DblClick();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace mnemex::pages
