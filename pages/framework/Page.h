#pragma once
// A page of Mnemex: a window whose client area holds controls placed by twips, with the
// scrolling frame every page carries. When the window is smaller than the page's design
// size, scrollbars appear and moving them shifts every control of the page.
//
// Controls are children of the page, created after the frame controls and placed with
// PlaceTwips (or, for a line, a LineControl's end points). Controls inside a frame or
// group box move with their container.

#include <QFrame>
#include <QScrollBar>

#include "pages/framework/Form.h"
#include "pages/framework/FrameLayout.h"
#include "pages/framework/PageContext.h"

namespace mnemex {

class Page : public Form {
    Q_OBJECT
  public:
    // A page named `name` with its frame design (every page class keeps its own as kFrame,
    // beside its name kName), opened at its design client size.
    Page(PageContext& context, const QString& name, const FrameDesign& design);
    // A page without a design of its own (stand-ins in tests): an empty client area.
    Page(PageContext& context, const QString& name);

    PageContext& Context() const { return context_; }
    PublicStuff& State() const { return context_.state; }
    Dialogs& Dialog() const { return context_.services.dialogs; }
    PageManager& Pages() const { return context_.pages; }

    // The frame controls.
    QScrollBar* HorFormScroll() const { return hor_; }
    QScrollBar* VerFormScroll() const { return ver_; }
    QFrame* Corner() const { return corner_; }
    // Bar positions last applied to the content.
    int LastHorValue() const { return lastHor_; }
    int LastVerValue() const { return lastVer_; }
    int DesignWidth() const { return design_.designWidth; }
    int DesignHeight() const { return design_.designHeight; }
    const FrameDesign& Design() const { return design_; }

    // The client area in twips (ScaleLeft and ScaleTop are 0).
    ClientArea Client() const;
    // Outer size in twips: the client area plus the design borders.
    int OuterWidthTwips() const { return OuterWidth(Client()); }
    int OuterHeightTwips() const { return OuterHeight(Client()); }
    // Resizes the client area to the given twips (rounded to whole pixels) and lays the frame out.
    void SetClientSizeTwips(int width, int height);

    // Hides the bars and the corner, then lays them out if the page is smaller than its
    // design size. The last step of every page's Form_Load.
    void FrameStart();
    // Shows, sizes and places the bars and the corner for the current size.
    void ResizeLayout();
    // Shifts the content by the difference between the vertical bar's position and LastVerValue.
    void ScrollVertical();
    // Shifts the content by the difference between the horizontal bar's position and LastHorValue.
    void ScrollHorizontal();

    // Runs the resize layout. A page that overrides it must call Page::Form_Resize().
    void Form_Resize() override;

  private:
    FrameControls CurrentFrame() const;
    void ApplyFrame(const FrameControls& frame);
    // Moves every content control whose container is the page by (dx, dy) twips.
    void MoveContent(int dx, int dy);

    PageContext& context_;
    FrameDesign design_;
    QScrollBar* hor_;
    QScrollBar* ver_;
    QFrame* corner_;
    int lastHor_ = 0;
    int lastVer_ = 0;
};

}  // namespace mnemex
