#pragma once
// A PagePrinter that paints on a paint device: a real printer, a PDF file or an image.

#include <QFont>
#include <QPainter>
#include <functional>
#include <memory>

#include "pages/framework/printing/PagePrinter.h"

class QPaintDevice;

namespace mnemex::pages {

class PaintedPrinter : public PagePrinter {
  public:
    // Paints on `device`. `newPage` starts the next page and returns false when the device
    // has no more pages; `finish` runs after painting ends and returns an error text, or
    // empty text when the document was delivered.
    PaintedPrinter(QPaintDevice& device, std::function<bool()> newPage,
                   std::function<QString()> finish);
    ~PaintedPrinter() override;

    void SetFont(const QString& name, double points, bool bold) override;
    void SetBold(bool bold) override;
    void PrintLine(const QString& text) override;
    void DrawPicture(const QImage& picture, int xTwips, int yTwips) override;
    bool EndDoc() override;
    QString ErrorText() const override { return error_; }

  private:
    bool Begin();
    void DrawOneLine(const QString& line);
    // Moves to a new page when a line of `height` no longer fits; false when there is none.
    bool StartLine(double height);
    double TwipsToDevice(int twips) const;

    QPaintDevice& device_;
    std::function<bool()> newPage_;
    std::function<QString()> finish_;
    QPainter painter_;
    QFont font_;
    double y_ = 0;  // top of the next line, in device pixels
    bool begun_ = false;
    bool ended_ = false;
    QString error_;
};

}  // namespace mnemex::pages
