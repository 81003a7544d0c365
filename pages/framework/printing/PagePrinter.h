#pragma once
// What a page prints through: lines of text in a chosen font and pictures.

#include <QImage>
#include <QString>

namespace mnemex::pages {

class PagePrinter {
  public:
    virtual ~PagePrinter() = default;
    // Font of the lines that follow.
    virtual void SetFont(const QString& name, double points, bool bold) = 0;
    // Bold on or off for the lines that follow, keeping name and size.
    virtual void SetBold(bool bold) = 0;
    // Prints text below the last line; its own line breaks start new lines, and an empty
    // text gives an empty line.
    virtual void PrintLine(const QString& text) = 0;
    // Draws a picture in its own size with its top-left corner at (x, y) in twips from
    // the top-left corner of the printable area.
    virtual void DrawPicture(const QImage& picture, int xTwips, int yTwips) = 0;
    // Ends the document and sends it on. False when it could not be printed; ErrorText()
    // then says why.
    virtual bool EndDoc() = 0;
    virtual QString ErrorText() const = 0;
};

}  // namespace mnemex::pages
