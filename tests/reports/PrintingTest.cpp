// Real printouts: PDF files written whole, the no-printer offer, and the painted page.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTest>
#include <filesystem>

#include "ResultTestSupport.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "pages/framework/printing/PaintedPrinter.h"
#include "pages/framework/printing/PrintJobs.h"
#include "reports/ProbeLogic.h"
#include "tests/support/SpecialFiles.h"

using namespace mnemex;
using namespace mnemex::pages;
using namespace mnemex::pagetest;

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    void probeTextBecomesAWholePdfFile() {
        const QString folder = TestFolder();
        const QString path = folder + QStringLiteral("/probe.pdf");
        auto printer = OpenPdfPrinter(path, QStringLiteral("Probe"));
        QVERIFY(PrintProbeText(*printer, QStringLiteral("small.net"),
                               QStringLiteral("Pattern: 1\t+1.00\t\r\nline two\r\n")));
        QVERIFY(printer->ErrorText().isEmpty());
        QVERIFY(ReadBytes(path).startsWith("%PDF"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"probe.pdf"});
    }

    void aPdfThatCannotBeWrittenIsReportedAndSpoilsNothing() {
        const QString folder = TestFolder();
        const QString keep = folder + QStringLiteral("/keep.pdf");
        QFile file(keep);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("older printout");
        file.close();
        auto printer =
            OpenPdfPrinter(folder + QStringLiteral("/missing/chart.pdf"), QStringLiteral("Chart"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QVERIFY(!PrintChartPicture(*printer, picture));
        QVERIFY(!printer->ErrorText().isEmpty());
        QCOMPARE(ReadBytes(keep), QByteArray("older printout"));
    }

    void replacingAPdfLeavesOnlyTheNewOne() {
        const QString folder = TestFolder();
        const QString path = folder + QStringLiteral("/chart.pdf");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older printout");
        old.close();
        auto printer = OpenPdfPrinter(path, QStringLiteral("Chart"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QVERIFY(PrintChartPicture(*printer, picture));
        QVERIFY(ReadBytes(path).startsWith("%PDF"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.pdf"});
    }

    // A chosen name that is a FIFO is refused at once (nobody waits for a reader) and stays
    // a FIFO; a link to an earlier printout gets the new one and stays a link.
    void aPdfNameThatIsNotAFileIsRefusedAndALinkIsFollowed() {
        const QString folder = TestFolder();
        const std::string fifo = (folder + QStringLiteral("/pipe.pdf")).toStdString();
        testsupport::MakeFifo(fifo);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        auto refused = OpenPdfPrinter(QString::fromStdString(fifo), QStringLiteral("Chart"));
        QVERIFY(!PrintChartPicture(*refused, picture));
        QVERIFY(refused->ErrorText().contains(QStringLiteral("not a file")));
        QVERIFY(std::filesystem::is_fifo(fifo));

        QFile old(folder + QStringLiteral("/old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older printout");
        old.close();
        QVERIFY(QFile::link(QStringLiteral("old.pdf"), folder + QStringLiteral("/latest.pdf")));
        auto printer =
            OpenPdfPrinter(folder + QStringLiteral("/latest.pdf"), QStringLiteral("Chart"));
        QVERIFY(PrintChartPicture(*printer, picture));
        QVERIFY(ReadBytes(folder + QStringLiteral("/old.pdf")).startsWith("%PDF"));
        QVERIFY(QFileInfo(folder + QStringLiteral("/latest.pdf")).isSymLink());
    }

    void withoutPrinterTheUserIsOfferedAPdf_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("printerGiven");
        QTest::newRow("declined") << false << QString() << false;
        QTest::newRow("no file chosen") << true << QString() << false;
        QTest::newRow("file chosen") << true << QStringLiteral("printout") << true;
    }
    void withoutPrinterTheUserIsOfferedAPdf() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        QFETCH(bool, accept);
        QFETCH(QString, name);
        QFETCH(bool, printerGiven);
        ScriptedDialogBackend backend;
        Dialogs dialogs(backend, QStringLiteral("Mnemex"));
        backend.QueueButton(accept ? kMsgYes : kMsgNo);
        const QString folder = TestFolder();
        backend.QueueFileName(name.isEmpty() ? QString() : folder + QLatin1Char('/') + name);
        auto printer = OpenDefaultPrinter(dialogs, QStringLiteral("Probe"));
        QCOMPARE(backend.shown.size(), std::size_t{1});
        QCOMPARE(backend.shown[0].style, MsgStyle::YesNoQuestion);
        QCOMPARE(backend.shown[0].title, QStringLiteral("No Printer"));
        QCOMPARE(backend.shown[0].text, QStringLiteral("No printer is installed on this "
                                                       "computer.\nSave the page as a PDF file "
                                                       "instead?"));
        QCOMPARE(backend.fileDialogs.size(), accept ? std::size_t{1} : std::size_t{0});
        if (accept) {
            QCOMPARE(backend.fileDialogs[0].caption, QStringLiteral("Save Printout As PDF"));
            QCOMPARE(backend.fileDialogs[0].filter, QStringLiteral("PDF files (*.pdf)"));
        }
        QCOMPARE(printer != nullptr, printerGiven);
        if (printer) {
            QVERIFY(PrintProbeText(*printer, QStringLiteral("a.net"), QString()));
            QVERIFY(ReadBytes(folder + QStringLiteral("/printout.pdf")).startsWith("%PDF"));
        }
    }

    void pdfNamesGetTheirExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("bare") << "out"
                              << "out.pdf";
        QTest::newRow("has it") << "out.pdf"
                                << "out.pdf";
        QTest::newRow("upper case") << "OUT.PDF"
                                    << "OUT.PDF";
        QTest::newRow("other") << "out.txt"
                               << "out.txt.pdf";
    }
    void pdfNamesGetTheirExtension() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(PdfPathFor(name), path);
    }

    void paintedPageShowsHeadingAboveText() {
        // A page at 100 dots per inch: the heading's ink stands above the text's.
        QImage page(827, 1169, QImage::Format_RGB32);
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        page.fill(Qt::white);
        PaintedPrinter printer(
            page, [] { return false; }, [] { return QString(); });
        QVERIFY(PrintProbeText(printer, QStringLiteral("small.net"),
                               QStringLiteral("Pattern: 1\t+1.00\t\r\n---------------\r\n")));
        auto inkRows = [&] {
            QList<int> rows;
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.pixelColor(x, y) != QColor(Qt::white)) {
                        rows << y;
                        break;
                    }
            return rows;
        };
        const QList<int> rows = inkRows();
        QVERIFY(!rows.isEmpty());
        // Nothing on the first line (it is empty); ink begins on the second.
        const int lineHeight = rows.first() / 1;
        QVERIFY(lineHeight > 5);
        // Heading, empty line, two text lines: at least three separate bands of ink.
        int bands = 1;
        for (int k = 1; k < rows.size(); ++k)
            if (rows[k] != rows[k - 1] + 1)
                ++bands;
        QCOMPARE(bands, 3);
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
