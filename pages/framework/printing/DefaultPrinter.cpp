#include "pages/framework/printing/DefaultPrinter.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <system_error>

#include "core/output/ResultFile.h"
#include "core/output/ScratchFolder.h"
#include "pages/framework/printing/PaintedPrinter.h"

namespace mnemex::pages {

namespace {

// Owns the printer device so that it outlives the painting on it.
struct PrinterHolder {
    explicit PrinterHolder(std::unique_ptr<QPrinter> p) : device(std::move(p)) {}
    std::unique_ptr<QPrinter> device;
};

class DevicePrinter : private PrinterHolder, public PaintedPrinter {
  public:
    DevicePrinter(std::unique_ptr<QPrinter> printer, std::function<QString()> finish)
        : PrinterHolder(std::move(printer)),
          PaintedPrinter(
              *device, [this] { return device->newPage(); }, std::move(finish)) {}
};

// Sent-to-printer check: QPrinter reports a failed job through its state.
QString PrinterState(const QPrinter& printer) {
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer reported an error; the page was not printed.");
    return {};
}

}  // namespace

QString PdfPathFor(const QString& name) {
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return name;
    return name + QLatin1String(".pdf");
}

std::unique_ptr<PagePrinter> OpenPdfPrinter(const QString& path, const QString& documentName) {
    // The PDF is painted into a private scratch file and only the finished bytes go to
    // `path`, through the one result writer: a failed printout never leaves half a file or
    // spoils one already there, and a name that is not a file is refused, never written.
    auto scratch = std::make_shared<output::ScratchFolder>();
    const std::string scratchFile = scratch->File("printout.pdf");
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setDocName(documentName);
    // Without a scratch folder there is nowhere to paint: the printer then fails to start.
    printer->setOutputFileName(scratch->Error() == 0 ? QFile::decodeName(scratchFile.c_str())
                                                     : QString());
    QPrinter* raw = printer.get();
    auto finish = [raw, scratch, scratchFile, path]() -> QString {
        const QString cannot =
            QStringLiteral("The PDF file could not be saved:\r") + path + QLatin1Char('\r');
        if (const QString state = PrinterState(*raw); !state.isEmpty())
            return cannot + state;
        int error = 0;
        const auto bytes = output::ReadWholeFile(scratchFile, error);
        if (!bytes)
            return cannot + QString::fromStdString(std::generic_category().message(error)) +
                   QLatin1Char('.');
        output::WriteOptions filesOnly;
        filesOnly.FilesOnly = true;
        const auto failed =
            output::WriteWhole(QFile::encodeName(path).toStdString(), *bytes, filesOnly);
        if (failed)
            return cannot + QString::fromStdString(failed->Reason()) + QLatin1Char('.');
        return {};
    };
    return std::make_unique<DevicePrinter>(std::move(printer), finish);
}

std::unique_ptr<PagePrinter> OpenDefaultPrinter(Dialogs& dialogs, const QString& documentName) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::availablePrinters().first();
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setDocName(documentName);
        QPrinter* raw = printer.get();
        return std::make_unique<DevicePrinter>(std::move(printer),
                                               [raw] { return PrinterState(*raw); });
    }
    if (dialogs.MsgBox(QStringLiteral("No printer is installed on this computer.\r"
                                      "Save the page as a PDF file instead?"),
                       MsgStyle::YesNoQuestion, QStringLiteral("No Printer")) != kMsgYes)
        return nullptr;
    const QString name =
        dialogs.SaveFileName(QStringLiteral("Save Printout As PDF"),
                             QDir::home().filePath(documentName + QLatin1String(".pdf")),
                             QStringLiteral("PDF files (*.pdf)"));
    if (name.isEmpty())
        return nullptr;
    return OpenPdfPrinter(PdfPathFor(name), documentName);
}

}  // namespace mnemex::pages
