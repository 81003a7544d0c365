// The setup page's pattern-order choice and seed box, driven offscreen as a user drives
// them; dialogs are scripted.
#include <QtTest>

#include "core/ParameterCheck.h"
#include "core/PublicStuff.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "pages/main/DistMemPage.h"
#include "tests/support/MainPagesSession.h"
#include "tests/support/TempFolder.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

// 4 inputs, 2 outputs, 5 patterns: enough patterns for the order to change the weights.
const char* kFivePatterns =
    "2, 0, 4, 5\n1, 0, 0, 1\n0, 1, 0, 0\n1, 1, 0, 0\n0, 0, 1, 1\n1, 0, 1, 0\n"
    "1, 0\n0, 1\n1, 1\n0, 0.5\n0.5, 1\n";

// The main pages with a training file of five patterns loaded and the setup page shown.
struct SetupProgram : testsupport::MainPagesSession {
    testsupport::TempFolder folder;

    SetupProgram() {
        testsupport::WriteBytes(folder.Path() / "five.net", kFivePatterns);
        ShowSetupPage(folder.Path().string(), "five.net");
    }
};

// The same training done by the core alone: Delta at 0.1, `epochs` epochs, in `order`.
PublicStuff TrainedByCore(const std::string& path, const PatternOrder& order, const char* epochs) {
    PublicStuff s;
    if (ReadTrainingFile(s, path))
        qFatal("cannot read %s", path.c_str());
    s.TrainingFileName = "five.net";
    s.LearningRule = "Delta";
    s.Order = order;
    s.NewRun = 1;
    s.ReallocateNetwork();
    ParameterEntries entries;
    entries.Epochs = epochs;
    if (CheckParameters(s, entries, ReadPlainNumber).Verdict != CheckVerdict::kAccepted)
        qFatal("settings refused");
    SilentDisplay display;
    TrainNetwork(s, display, 0);
    return s;
}

}  // namespace

class SetupExtrasTest : public QObject {
    Q_OBJECT
  private slots:
    void orderStartsAtFileOrderWithTheSeedBoxResting();
    void seedBoxIsUsableOnlyForARandomOrder();
    void randomOrderTrainsAsTheCoreDoesWithThatSeed();
    void fileOrderIgnoresTheSeedBox();
    void badSeedsAreRefusedAndNothingIsTrained_data();
    void badSeedsAreRefusedAndNothingIsTrained();
    void orderEntriesAreLockedWhileTraining();
};

void SetupExtrasTest::orderStartsAtFileOrderWithTheSeedBoxResting() {
    SetupProgram p;
    DistMemPage* s = p.Setup();
    QCOMPARE(s->PatternOrderBox()->count(), 2);
    QCOMPARE(s->PatternOrderBox()->itemText(0), QStringLiteral("Patterns In File Order"));
    QCOMPARE(s->PatternOrderBox()->itemText(1), QStringLiteral("New Random Order Every Epoch"));
    QCOMPARE(s->PatternOrderBox()->currentIndex(), 0);
    QCOMPARE(s->SeedEntryBox()->text(), QStringLiteral("1"));
    QVERIFY(!s->SeedEntryBox()->isEnabled());
    QCOMPARE(s->SeedCaption()->text(), QStringLiteral("Seed"));
    // In the free row under the training settings, clear of every other control.
    const QRect order = s->PatternOrderBox()->geometry().united(s->SeedEntryBox()->geometry());
    for (QWidget* other : std::initializer_list<QWidget*>{
             s->MinimumErrorBox(), s->MinimumErrorSlider(), s->MinimumErrorLabel(),
             s->StartTrainingButton(), s->ContinueTrainingButton(), s->TrainingPanels()[0]})
        QVERIFY2(!order.intersects(other->geometry()), qPrintable(other->objectName()));
}

void SetupExtrasTest::seedBoxIsUsableOnlyForARandomOrder() {
    SetupProgram p;
    p.ChooseOrder(kRandomOrderChoice);
    QVERIFY(p.Setup()->SeedEntryBox()->isEnabled());
    p.ChooseOrder(kFileOrderChoice);
    QVERIFY(!p.Setup()->SeedEntryBox()->isEnabled());
}

void SetupExtrasTest::randomOrderTrainsAsTheCoreDoesWithThatSeed() {
    SetupProgram p;
    DistMemPage* s = p.Setup();
    p.Click(s->DeltaOption());
    s->MaxEpochsBox()->setText("30");
    p.ChooseOrder(kRandomOrderChoice);
    s->SeedEntryBox()->setText("7");
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.backend.shown.size(), std::size_t{0});
    QCOMPARE(p.state.EpochCount, 30);
    QVERIFY(p.state.Order.Permuted);
    QCOMPARE(p.state.Order.Seed, std::uint64_t{7});

    const std::string path = p.folder.File("five.net");
    const PublicStuff seven = TrainedByCore(path, {true, 7}, "30");
    QCOMPARE(p.state.Weights.Storage(), seven.Weights.Storage());
    QCOMPARE(p.state.TotalSSE, seven.TotalSSE);
    // The order matters here: file order and another seed end elsewhere.
    QVERIFY(TrainedByCore(path, {}, "30").Weights.Storage() != seven.Weights.Storage());
    QVERIFY(TrainedByCore(path, {true, 8}, "30").Weights.Storage() != seven.Weights.Storage());

    // Continue Training keeps drawing from the same seed, as one long run does.
    p.Click(s->ContinueTrainingButton());
    QCOMPARE(p.state.Weights.Storage(), TrainedByCore(path, {true, 7}, "60").Weights.Storage());
}

void SetupExtrasTest::fileOrderIgnoresTheSeedBox() {
    SetupProgram p;
    DistMemPage* s = p.Setup();
    p.Click(s->DeltaOption());
    s->SeedEntryBox()->setText("not a seed");
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.backend.shown.size(), std::size_t{0});
    QVERIFY(!p.state.Order.Permuted);
    QCOMPARE(p.state.Weights.Storage(),
             TrainedByCore(p.folder.File("five.net"), {}, "100").Weights.Storage());
}

void SetupExtrasTest::badSeedsAreRefusedAndNothingIsTrained_data() {
    QTest::addColumn<QString>("seed");
    QTest::newRow("empty") << "";
    QTest::newRow("negative") << "-1";
    QTest::newRow("fraction") << "1.5";
    QTest::newRow("blank inside") << "1 2";
    QTest::newRow("too large") << "9223372036854775808";
    QTest::newRow("letters") << "seven";
}

void SetupExtrasTest::badSeedsAreRefusedAndNothingIsTrained() {
    QFETCH(QString, seed);
    SetupProgram p;
    DistMemPage* s = p.Setup();
    p.ChooseOrder(kRandomOrderChoice);
    s->SeedEntryBox()->setText(seed);
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.backend.shown.size(), std::size_t{1});
    QCOMPARE(p.backend.shown[0].title, QStringLiteral("Seed"));
    QCOMPARE(p.backend.shown[0].text,
             QStringLiteral("The seed must be a whole number from 0 to 9223372036854775807."));
    QCOMPARE(p.backend.shown[0].style, MsgStyle::OkWarning);
    QCOMPARE(s->SeedEntryBox()->text(), QStringLiteral("1"));
    QCOMPARE(s->focusWidget(), s->SeedEntryBox());  // ready to be retyped
    QCOMPARE(s->SeedEntryBox()->selectedText(), QStringLiteral("1"));
    QCOMPARE(p.state.EpochCount, 0);
    QVERIFY(s->StartTrainingButton()->isEnabled());
    QVERIFY(s->MaxEpochsBox()->isEnabled());
    // The largest seed is taken.
    s->SeedEntryBox()->setText("9223372036854775807");
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.state.Order.Seed, std::uint64_t{9223372036854775807ULL});
    QCOMPARE(p.state.EpochCount, 100);
}

void SetupExtrasTest::orderEntriesAreLockedWhileTraining() {
    SetupProgram p;
    DistMemPage* s = p.Setup();
    p.ChooseOrder(kRandomOrderChoice);
    bool lockedDuringRun = false;
    // The run lets the window system through now and then; look at the entries then.
    s->MaxEpochsBox()->setText("20000");
    QTimer::singleShot(0, s, [&] {
        lockedDuringRun =
            s->Training() && !s->PatternOrderBox()->isEnabled() && !s->SeedEntryBox()->isEnabled();
    });
    p.Click(s->StartTrainingButton());
    QVERIFY(lockedDuringRun);
    QVERIFY(s->PatternOrderBox()->isEnabled());
    QVERIFY(s->SeedEntryBox()->isEnabled());
}

QTEST_MAIN(SetupExtrasTest)
#include "SetupExtrasTest.moc"
