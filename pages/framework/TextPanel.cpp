#include "pages/framework/TextPanel.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace mnemex {

QColor ButtonFaceColor() {
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

TextPanel::TextPanel(QWidget* parent) : QWidget(parent), back_(ButtonFaceColor()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextPanel::Cls() {
    lines_.clear();
    ShowNow();
}

void TextPanel::Print(const QString& line) {
    lines_ << line;
    ShowNow();
}

void TextPanel::SetBackColor(const QColor& colour) {
    back_ = colour;
    ShowNow();
}

void TextPanel::ShowNow() {
    // Long runs print inside one click without returning to the event loop, so the
    // panel paints straight away instead of waiting for the next update.
    if (isVisible()) {
        repaint();
    }
}

void TextPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    const QFontMetrics metrics(font());
    int y = metrics.ascent();
    for (const QString& line : lines_) {
        painter.drawText(0, y, line);
        y += metrics.height();
    }
}

}  // namespace mnemex
