#pragma once
// The printer a printout goes to: the default printer, or a PDF file when none is installed.

#include <QString>
#include <memory>

#include "pages/framework/Dialogs.h"
#include "pages/framework/printing/PagePrinter.h"

namespace mnemex::pages {

// A printer for one printout. With no printer installed the user is offered a PDF file of
// the same page instead, asked through `dialogs`; returns nothing when the user declines or
// cancels.
std::unique_ptr<PagePrinter> OpenDefaultPrinter(Dialogs& dialogs, const QString& documentName);

// A printer that writes a PDF file: whole when EndDoc succeeds, not at all otherwise.
std::unique_ptr<PagePrinter> OpenPdfPrinter(const QString& path, const QString& documentName);

// `name` with ".pdf" added unless it already ends in it (any case).
QString PdfPathFor(const QString& name);

}  // namespace mnemex::pages
