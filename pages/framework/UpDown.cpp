#include "pages/framework/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace mnemex {

int ClampToRange(long long value, int min, int max) {
    const long long lo = std::min(min, max);
    const long long hi = std::max(min, max);
    return static_cast<int>(std::clamp(value, lo, hi));
}

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
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
    up_->setAccessibleName(QStringLiteral("Up"));
    down_->setAccessibleName(QStringLiteral("Down"));
    connect(up_, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::StepDown);
}

void UpDown::SetBuddy(QLineEdit* box) {
    buddy_ = box;
}

int UpDown::Value() const {
    if (buddy_ != nullptr) {
        bool ok = false;
        const long long typed = buddy_->text().trimmed().toLongLong(&ok);
        if (ok) {
            return ClampToRange(typed, min_, max_);
        }
    }
    return value_;
}

void UpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    value_ = ClampToRange(value_, min_, max_);
}

void UpDown::SetValue(int value) {
    value_ = ClampToRange(value, min_, max_);
    if (buddy_ != nullptr) {
        buddy_->setText(QString::number(value_));
    }
}

void UpDown::StepUp() {
    Step(+1);
}

void UpDown::StepDown() {
    Step(-1);
}

void UpDown::Step(int direction) {
    // A range given as (larger, smaller) runs the arrows the other way round.
    const int sign = min_ <= max_ ? direction : -direction;
    const long long next =
        static_cast<long long>(Value()) + static_cast<long long>(sign) * increment_;
    const int before = Value();
    SetValue(ClampToRange(next, min_, max_));
    if (value_ != before) {
        emit Change();
    }
}

}  // namespace mnemex
