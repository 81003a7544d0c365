#include "pages/framework/Page.h"

#include <QByteArray>

#include "pages/framework/LineControl.h"
#include "pages/framework/Twips.h"

namespace mnemex {

Page::Page(PageContext& context, const QString& name)
    : Page(context, name, FrameDesignAround(0, 0)) {}

Page::Page(PageContext& context, const QString& name, const FrameDesign& design)
    : Form(name),
      context_(context),
      design_(design),
      hor_(new QScrollBar(Qt::Horizontal, this)),
      ver_(new QScrollBar(Qt::Vertical, this)),
      corner_(new QFrame(this)) {
    hor_->setObjectName(QStringLiteral("HorFormScroll"));
    ver_->setObjectName(QStringLiteral("VerFormScroll"));
    corner_->setObjectName(QStringLiteral("Corner"));
    const int clientWidth = design.designWidth - kFrameBorderWidth;
    const int clientHeight = design.designHeight - kFrameBorderHeight;
    // Default range settings: minimum 0, position 0, one twip per arrow or trough click.
    for (QScrollBar* bar : {hor_, ver_}) {
        bar->setRange(0, 32767);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->hide();
    }
    PlaceTwips(hor_, design.horLeft, clientHeight - kFrameBarThickness, clientWidth,
               kFrameBarThickness);
    PlaceTwips(ver_, clientWidth - kFrameBarThickness, 0, kFrameBarThickness, clientHeight);
    PlaceTwips(corner_, clientWidth - design.cornerWidth, clientHeight - design.cornerHeight,
               design.cornerWidth, design.cornerHeight);
    corner_->setAutoFillBackground(true);
    corner_->hide();
    // Scroll comes while the thumb is dragged, Change once the position has changed (also
    // when the program changes it, e.g. a lowered maximum): both run the same move.
    connect(hor_, &QScrollBar::sliderMoved, this, &Page::ScrollHorizontal);
    connect(hor_, &QScrollBar::valueChanged, this, &Page::ScrollHorizontal);
    connect(ver_, &QScrollBar::sliderMoved, this, &Page::ScrollVertical);
    connect(ver_, &QScrollBar::valueChanged, this, &Page::ScrollVertical);
    resize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
}

ClientArea Page::Client() const {
    return {0, 0, PixelsToTwips(width()), PixelsToTwips(height())};
}

void Page::SetClientSizeTwips(int width, int height) {
    resize(TwipsToPixels(width), TwipsToPixels(height));
    // A hidden window gets its resize event only when shown; lay out now either way.
    ResizeLayout();
}

void Page::FrameStart() {
    const ClientArea c = Client();
    ApplyFrame(mnemex::FrameStart(CurrentFrame(), c, OuterWidth(c), OuterHeight(c), design_));
}

void Page::ResizeLayout() {
    const ClientArea c = Client();
    ApplyFrame(mnemex::ResizeLayout(CurrentFrame(), c, OuterWidth(c), OuterHeight(c), design_));
}

void Page::Form_Resize() {
    ResizeLayout();
}

void Page::ScrollVertical() {
    const int v = ver_->sliderPosition();
    MoveContent(0, lastVer_ - v);
    lastVer_ = v;
}

void Page::ScrollHorizontal() {
    const int v = hor_->sliderPosition();
    MoveContent(lastHor_ - v, 0);
    lastHor_ = v;
}

FrameControls Page::CurrentFrame() const {
    FrameControls f;
    f.hor = TwipGeometry(hor_);
    f.ver = TwipGeometry(ver_);
    f.corner = TwipGeometry(corner_);
    f.horMax = hor_->maximum();
    f.verMax = ver_->maximum();
    f.horVisible = !hor_->isHidden();
    f.verVisible = !ver_->isHidden();
    f.cornerVisible = !corner_->isHidden();
    return f;
}

void Page::ApplyFrame(const FrameControls& f) {
    PlaceTwips(hor_, f.hor);
    PlaceTwips(ver_, f.ver);
    PlaceTwips(corner_, f.corner);
    // A maximum below the position pulls the position down; that change runs the move.
    hor_->setMaximum(f.horMax);
    ver_->setMaximum(f.verMax);
    hor_->setHidden(!f.horVisible);
    ver_->setHidden(!f.verVisible);
    corner_->setHidden(!f.cornerVisible);
    // The frame lies above the content it scrolls.
    for (QWidget* w : {static_cast<QWidget*>(hor_), static_cast<QWidget*>(ver_),
                       static_cast<QWidget*>(corner_)}) {
        if (!w->isHidden()) {
            w->raise();
        }
    }
}

void Page::MoveContent(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr || w->isWindow() || qobject_cast<QScrollBar*>(w) != nullptr ||
            w == corner_) {
            continue;
        }
        if (auto* line = qobject_cast<LineControl*>(w)) {
            line->MoveBy(dx, dy);
        } else {
            MoveTwips(w, dx, dy);
        }
    }
}

}  // namespace mnemex
