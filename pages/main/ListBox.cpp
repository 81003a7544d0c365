#include "pages/main/ListBox.h"

#include <QMouseEvent>

namespace mnemex::pages {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int ListBox::ListIndex() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.front());
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    // Pressing in the empty part of the list keeps the item selected before.
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        setCurrentRow(index.row());
    event->accept();
    emit DblClick();
}

}  // namespace mnemex::pages
