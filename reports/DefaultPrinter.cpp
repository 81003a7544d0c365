#include "reports/DefaultPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "reports/PaintedPrinter.h"

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
    // The PDF is written beside its final name and moved there only when complete, so a
    // failed printout never leaves half a file or spoils one already there.
    auto temp = std::make_shared<QTemporaryFile>(QFileInfo(path).absolutePath() +
                                                 QLatin1String("/.") + QFileInfo(path).fileName() +
                                                 QLatin1String(".printing-XXXXXX"));
    const bool created = temp->open();
    if (created)
        temp->close();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setDocName(documentName);
    printer->setOutputFileName(created ? temp->fileName() : path + QLatin1String(".unwritable"));
    QPrinter* raw = printer.get();
    auto finish = [raw, temp, path, created]() -> QString {
        const QString cannot =
            QStringLiteral("The PDF file could not be saved:\r") + path + QLatin1Char('\r');
        if (!created)
            return cannot + temp->errorString();
        if (const QString state = PrinterState(*raw); !state.isEmpty())
            return cannot + state;
        // rename() replaces a file already there in one step.
        if (std::rename(QFile::encodeName(temp->fileName()).constData(),
                        QFile::encodeName(path).constData()) != 0)
            return cannot + QString::fromStdString(std::generic_category().message(errno)) +
                   QLatin1Char('.');
        temp->setAutoRemove(false);
        return {};
    };
    return std::make_unique<DevicePrinter>(std::move(printer), finish);
}

std::unique_ptr<PagePrinter> OpenDefaultPrinter(ResultDialogs& dialogs,
                                                const QString& documentName) {
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
    if (!dialogs.AskYesNo(QStringLiteral("No printer is installed on this computer.\r"
                                         "Save the page as a PDF file instead?"),
                          QStringLiteral("No Printer")))
        return nullptr;
    const QString name =
        dialogs.PdfFileName(QDir::home().filePath(documentName + QLatin1String(".pdf")));
    if (name.isEmpty())
        return nullptr;
    return OpenPdfPrinter(PdfPathFor(name), documentName);
}

}  // namespace mnemex::pages
