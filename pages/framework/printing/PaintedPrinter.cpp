#include "pages/framework/printing/PaintedPrinter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace mnemex::pages {

namespace {

// Columns between tab stops, as in the probe window.
constexpr int kTabColumns = 8;
// The resolution of pictures that do not say their own.
constexpr double kScreenDpi = 96.0;

}  // namespace

PaintedPrinter::PaintedPrinter(QPaintDevice& device, std::function<bool()> newPage,
                               std::function<QString()> finish)
    : device_(device), newPage_(std::move(newPage)), finish_(std::move(finish)) {
    font_ = QFont(QStringLiteral("Courier"));
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPointSizeF(10);
}

PaintedPrinter::~PaintedPrinter() {
    if (painter_.isActive())
        painter_.end();
}

bool PaintedPrinter::Begin() {
    if (begun_)
        return painter_.isActive();
    begun_ = true;
    if (!painter_.begin(&device_)) {
        error_ = QStringLiteral("The printer could not be started.");
        return false;
    }
    painter_.setFont(font_);
    return true;
}

void PaintedPrinter::SetFont(const QString& name, double points, bool bold) {
    font_ = QFont(name);
    font_.setPointSizeF(points);
    font_.setBold(bold);
    if (name.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0)
        font_.setStyleHint(QFont::TypeWriter);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PaintedPrinter::SetBold(bool bold) {
    font_.setBold(bold);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PaintedPrinter::PrintLine(const QString& text) {
    if (!Begin())
        return;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineBreak))
        DrawOneLine(line);
}

bool PaintedPrinter::StartLine(double height) {
    if (y_ > 0 && y_ + height > device_.height()) {
        if (!newPage_()) {
            error_ = QStringLiteral("The printout is longer than the printer can take.");
            return false;
        }
        y_ = 0;
    }
    return true;
}

void PaintedPrinter::DrawOneLine(const QString& line) {
    painter_.setFont(font_);
    const QFontMetricsF metrics(font_, &device_);
    const double height = metrics.lineSpacing();
    if (!StartLine(height))
        return;
    // Tab stops are laid out here, in the device's own units, every kTabColumns digit
    // widths: a text option's tab distance would be taken as screen pixels and scaled again
    // on a high-resolution device, sending every value past the edge of the paper.
    const double tab = kTabColumns * metrics.horizontalAdvance(QLatin1Char('0'));
    const QStringList pieces = line.split(QLatin1Char('\t'));
    double x = 0;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        if (k > 0)
            x = (std::floor(x / tab + 1e-9) + 1) * tab;
        const double width = metrics.horizontalAdvance(pieces[k]);
        // A row of many values goes on below, from the left edge, instead of off the paper.
        if (k > 0 && x + width > device_.width()) {
            y_ += height;
            if (!StartLine(height))
                return;
            x = 0;
        }
        painter_.drawText(QPointF(x, y_ + metrics.ascent()), pieces[k]);
        x += width;
    }
    y_ += height;
}

double PaintedPrinter::TwipsToDevice(int twips) const {
    return twips / 1440.0 * device_.logicalDpiX();
}

void PaintedPrinter::DrawPicture(const QImage& picture, int xTwips, int yTwips) {
    if (!Begin() || picture.isNull())
        return;
    // The picture keeps its size on paper: its pixels at its own resolution.
    const double dpi = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() * 0.0254 : kScreenDpi;
    const QSizeF logical = picture.deviceIndependentSize();
    const double scale = device_.logicalDpiX() / dpi;
    QRectF target(TwipsToDevice(xTwips), TwipsToDevice(yTwips), logical.width() * scale,
                  logical.height() * scale);
    // Only a picture larger than the page is shrunk, so that none of it is cut off.
    const double fit = std::min({1.0, (device_.width() - target.left()) / target.width(),
                                 (device_.height() - target.top()) / target.height()});
    target.setSize(target.size() * fit);
    painter_.drawImage(target, picture);
}

bool PaintedPrinter::EndDoc() {
    if (ended_)
        return error_.isEmpty();
    ended_ = true;
    Begin();
    if (painter_.isActive() && !painter_.end() && error_.isEmpty())
        error_ = QStringLiteral("The printout could not be completed.");
    if (error_.isEmpty() && finish_)
        error_ = finish_();
    return error_.isEmpty();
}

}  // namespace mnemex::pages
