#include "reports/UpDownControl.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace mnemex::pages {

UpDownControl::UpDownControl(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownControl::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void UpDownControl::SetValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    buddy_->setText(QString::number(value_));
}

void UpDownControl::Step(int delta) {
    // Start from the number the user typed, if the box holds one.
    bool ok = false;
    const int typed = buddy_->text().trimmed().toInt(&ok);
    const int from = ok ? std::clamp(typed, minimum_, maximum_) : value_;
    SetValue(from + delta);
}

}  // namespace mnemex::pages
