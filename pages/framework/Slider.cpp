#include "pages/framework/Slider.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace mnemex {

Slider::Slider(QWidget* parent) : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider_);
    slider_->setRange(0, 10);
    slider_->setSingleStep(1);
    slider_->setPageStep(5);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->installEventFilter(this);
    // Code changes the value only under a signal blocker, so every valueChanged that
    // arrives here comes from the user.
    connect(slider_, &QSlider::valueChanged, this, [this](int) { emit Scroll(); });
}

void Slider::SetRange(int min, int max) {
    const QSignalBlocker block(slider_);
    slider_->setRange(min, max);
    slider_->setTickInterval(std::max(1, (max - min) / 10));
}

void Slider::SetValue(int value) {
    const QSignalBlocker block(slider_);
    slider_->setValue(value);
}

void Slider::UserMoveTo(int value) {
    slider_->setValue(value);
}

void Slider::UserClick() {
    emit Click();
}

bool Slider::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slider_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && slider_->isEnabled()) {
        // Let the slider finish its own handling first so Click sees the final value.
        const bool handled = QWidget::eventFilter(watched, event);
        QMetaObject::invokeMethod(this, &Slider::UserClick, Qt::QueuedConnection);
        return handled;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace mnemex
