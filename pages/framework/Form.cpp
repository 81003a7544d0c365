#include "pages/framework/Form.h"

#include <QCloseEvent>
#include <QEvent>

#include "pages/framework/FormManager.h"

namespace mnemex {

Form::Form(const QString& name, QWidget* parent) : QWidget(parent, Qt::Window), name_(name) {
    setObjectName(name);
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && manager_ != nullptr && !unloading_) {
        manager_->NotifyActivated(this);
    }
    return QWidget::event(event);
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    if (manager_ != nullptr && !unloading_) {
        manager_->Unload(this, UnloadReason::ByCloseButton);
    }
}

}  // namespace mnemex
