// What reaches the paper: the probe printout is printed to a PDF and read back with
// pdftotext, and every number of the window's text must be there, in order.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "ResultTestSupport.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "reports/ProbeLogic.h"
#include "reports/text/ProbeText.h"

using namespace mnemex;
using namespace mnemex::pages;
using namespace mnemex::pagetest;

namespace {

QStringList Numbers(const QString& text) {
    static const QRegularExpression number(QStringLiteral("[+-]?\\d*\\.?\\d+(E[+-]\\d+)?"));
    QStringList out;
    for (auto it = number.globalMatch(text); it.hasNext();)
        out << it.next().captured(0);
    return out;
}

// The text pdftotext finds on the pages of `pdf`, laid out as printed.
QString PdfText(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromLocal8Bit(tool.readAllStandardError()));
    return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace

class PrintedTextTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void everyNumberOfTheProbeWindowIsOnThePaper_data() {
        QTest::addColumn<QList<int>>("patterns");
        QTest::newRow("one block") << QList<int>{2};
        QTest::newRow("two blocks") << QList<int>{1, 2};
    }
    void everyNumberOfTheProbeWindowIsOnThePaper() {
        QFETCH(QList<int>, patterns);
        PublicStuff state = SmallTrainedNetwork();
        std::string window;
        for (int p : patterns)
            window = report::AddProbeBlock(report::ProbeBlock(state, p, std::to_string(p)), window);
        const QString text = QString::fromStdString(window);
        const QStringList expected = Numbers(text);
        QVERIFY(expected.size() >= 7 * patterns.size());

        const QString pdf = TestFolder() + QStringLiteral("/probe.pdf");
        auto printer = OpenPdfPrinter(pdf, QStringLiteral("Probe"));
        QVERIFY(PrintProbeText(*printer, QStringLiteral("small.net"), text));

        const QString printed = PdfText(pdf);
        QVERIFY2(printed.contains(QStringLiteral("Response (A):")), qPrintable(printed));
        QCOMPARE(Numbers(printed), expected);
    }

    void aRowTooLongForThePaperContinuesOnTheNextLine() {
        // 64 inputs, as letters.net has: every value is printed, none past the edge.
        QString line = QStringLiteral("Input:");
        for (int i = 1; i <= 64; ++i)
            line += QStringLiteral("\t+%1.00").arg(i);
        const QString pdf = TestFolder() + QStringLiteral("/inputs.pdf");
        auto printer = OpenPdfPrinter(pdf, QStringLiteral("Probe"));
        QVERIFY(
            PrintProbeText(*printer, QStringLiteral("letters.net"), line + QStringLiteral("\r\n")));
        QCOMPARE(Numbers(PdfText(pdf)), Numbers(line));
    }

    void aLongRowOfValuesStaysOnThePage() {
        // Eight outputs, as letters.net has: every value must still be on an A4 page.
        QString line = QStringLiteral("Response (A):");
        for (int j = 1; j <= 8; ++j)
            line += QStringLiteral("\t-123.45");
        const QString pdf = TestFolder() + QStringLiteral("/wide.pdf");
        auto printer = OpenPdfPrinter(pdf, QStringLiteral("Probe"));
        QVERIFY(
            PrintProbeText(*printer, QStringLiteral("letters.net"), line + QStringLiteral("\r\n")));
        QCOMPARE(Numbers(PdfText(pdf)).count(QStringLiteral("-123.45")), 8);
    }
};

QTEST_MAIN(PrintedTextTest)
#include "PrintedTextTest.moc"
