#pragma once
// Stand-ins for the user's answers and the printer, and small trained networks.

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/printing/PagePrinter.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/StandInSummary.h"

namespace mnemex::pagetest {

// A page manager with the three result pages and a stand-in testing hub (loaded), its own
// state and scripted dialogs.
struct PageTestContext {
    PageTestContext();
    std::unique_ptr<PublicStuff> state = std::make_unique<PublicStuff>();
    ScriptedDialogBackend dialogBackend;
    Dialogs dialogs{dialogBackend, QStringLiteral("Mnemex")};
    FixedDriveSource drives{{{QStringLiteral("/"), {}}}};
    testsupport::StandInSummary summary;
    PlatformServices services{dialogs, drives, summary};
    PageManager pages{*state, services};

    // Every dialog shown so far as "kind:title|text", kind one of message, warning,
    // question and prompt; line breaks as "\n".
    QStringList Shown() const;
};

// Records every printer operation as one text, in order.
class RecordingPrinter : public pages::PagePrinter {
  public:
    void SetFont(const QString& name, double points, bool bold) override;
    void SetBold(bool bold) override;
    void PrintLine(const QString& text) override { Operations << QStringLiteral("line:") + text; }
    void DrawPicture(const QImage& picture, int x, int y) override;
    bool EndDoc() override;
    QString ErrorText() const override { return Failure; }

    QStringList Operations;
    QImage Picture;
    QString Failure;  // set to make EndDoc fail
};

// A printer source for a page whose printouts go to `recorder`, which the test keeps.
std::function<std::unique_ptr<pages::PagePrinter>()> RecordInto(RecordingPrinter& recorder);

// Two inputs, two outputs, two patterns with hand-set weights: responses p1 (0.5, 1.5),
// p2 (0, 0.75); errors p1 (0.5, -2), p2 (0.25, 1.25). File "small.net".
PublicStuff SmallTrainedNetwork();

// A fresh empty folder for the running test function.
QString TestFolder();

// The bytes of a file, or "<missing>".
QByteArray ReadBytes(const QString& path);

}  // namespace mnemex::pagetest
