#include "ResultTestSupport.h"

#include "tests/support/TestNetworks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "reports/PlotSSEDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"

namespace mnemex::pagetest {

PageTestContext::PageTestContext() {
    pages.SetQuitAction([] {});
    pages.RegisterPage<pages::ProbeNetworkPage>();
    pages.RegisterPage<pages::SaveResultsPage>();
    pages.RegisterPage<pages::PlotSSEDataPage>();
    // The testing hub stays loaded behind the result pages, as in the program.
    pages.RegisterPage(QStringLiteral("TestDAM"), [](PageContext& c) {
        return std::make_unique<Page>(c, QStringLiteral("TestDAM"));
    });
    pages.Load(QStringLiteral("TestDAM"));
}

QStringList PageTestContext::Shown() const {
    QStringList out;
    for (const auto& d : dialogBackend.shown) {
        QString kind = QStringLiteral("message");
        if (d.isPrompt)
            kind = QStringLiteral("prompt");
        else if (d.style == MsgStyle::OkWarning)
            kind = QStringLiteral("warning");
        else if (d.style == MsgStyle::YesNoQuestion)
            kind = QStringLiteral("question");
        out << kind + QLatin1Char(':') + d.title + QLatin1Char('|') + d.text;
    }
    return out;
}

void RecordingPrinter::SetFont(const QString& name, double points, bool bold) {
    Operations
        << QStringLiteral("font:%1,%2,%3").arg(name).arg(points).arg(bold ? "bold" : "plain");
}

void RecordingPrinter::SetBold(bool bold) {
    Operations << QStringLiteral("bold:%1").arg(bold ? "on" : "off");
}

void RecordingPrinter::DrawPicture(const QImage& picture, int x, int y) {
    Picture = picture;
    Operations << QStringLiteral("picture:%1,%2").arg(x).arg(y);
}

bool RecordingPrinter::EndDoc() {
    Operations << QStringLiteral("end");
    return Failure.isEmpty();
}

namespace {

// Hands every operation on to a recorder that outlives the printout.
class ForwardingPrinter : public pages::PagePrinter {
  public:
    explicit ForwardingPrinter(RecordingPrinter& to) : to_(to) {}
    void SetFont(const QString& name, double points, bool bold) override {
        to_.SetFont(name, points, bold);
    }
    void SetBold(bool bold) override { to_.SetBold(bold); }
    void PrintLine(const QString& text) override { to_.PrintLine(text); }
    void DrawPicture(const QImage& picture, int x, int y) override {
        to_.DrawPicture(picture, x, y);
    }
    bool EndDoc() override { return to_.EndDoc(); }
    QString ErrorText() const override { return to_.ErrorText(); }

  private:
    RecordingPrinter& to_;
};

}  // namespace

std::function<std::unique_ptr<pages::PagePrinter>()> RecordInto(RecordingPrinter& recorder) {
    return [&recorder] { return std::make_unique<ForwardingPrinter>(recorder); };
}

PublicStuff SmallTrainedNetwork() {
    return testsupport::SmallTrainedNetwork();
}

QString TestFolder() {
    // One folder per test program under TMPDIR, removed with everything in it at exit.
    static QTemporaryDir root(QDir::temp().filePath(QStringLiteral("mnemex-result-pages-XXXXXX")));
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        name += QLatin1Char('_') + QString::fromLatin1(QTest::currentDataTag());
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    QDir dir(root.filePath(name));
    dir.removeRecursively();
    dir.mkpath(QStringLiteral("."));
    return dir.absolutePath();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<missing>");
    return file.readAll();
}

}  // namespace mnemex::pagetest
