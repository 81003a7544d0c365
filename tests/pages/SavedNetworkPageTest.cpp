// Saving the network from the setup page and opening it in a later session, driven
// offscreen as a user drives the page; the file dialogs and message boxes are scripted.
#include <QtTest>
#include <filesystem>
#include <string>

#include "core/saved_network/SavedNetwork.h"
#include "pages/main/BoxNumbers.h"
#include "pages/main/SavedNetworkLogic.h"
#include "tests/support/MainPagesSession.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempFolder.h"

using namespace mnemex;
using namespace mnemex::pages;
using testsupport::MainPagesSession;

namespace {

// 4 inputs, 2 outputs, 5 patterns: enough patterns for the order to change the weights.
const char* kFivePatterns =
    "2, 0, 4, 5\n1, 0, 0, 1\n0, 1, 0, 0\n1, 1, 0, 0\n0, 0, 1, 1\n1, 0, 1, 0\n"
    "1, 0\n0, 1\n1, 1\n0, 0.5\n0.5, 1\n";
// The same sizes with one value changed: another training file.
const char* kOtherPatterns =
    "2, 0, 4, 5\n1, 0, 0, 1\n0, 1, 0, 0\n1, 1, 0, 0\n0, 0, 1, 1\n1, 0, 1, 0\n"
    "1, 0\n0, 1\n1, 1\n0, 0.5\n0.5, 0\n";

// What the setup page shows: every entry, the four panels and which buttons are offered.
struct PageView {
    bool delta = false;
    bool epochTest = false, errorTest = false;
    QString epochs, printEpochs, rate, minError, seed;
    int order = 0;
    QStringList panels[4];
    QColor totalColour;
    bool continueOffered = false, testRecallOffered = false, saveOffered = false;

    explicit PageView(DistMemPage* s)
        : delta(s->DeltaOption()->isChecked()),
          epochTest(s->StopCheckBoxes()[0]->isChecked()),
          errorTest(s->StopCheckBoxes()[1]->isChecked()),
          epochs(s->MaxEpochsBox()->text()),
          printEpochs(s->PrintEpochsBox()->text()),
          rate(s->RateBox()->text()),
          minError(s->MinimumErrorBox()->text()),
          seed(s->SeedEntryBox()->text()),
          order(s->PatternOrderBox()->currentIndex()),
          totalColour(s->TrainingPanels()[2]->BackColor()),
          continueOffered(s->ContinueTrainingButton()->isVisible() &&
                          s->ContinueTrainingButton()->isEnabled()),
          testRecallOffered(s->TestRecallButton()->isVisible() &&
                            s->TestRecallButton()->isEnabled()),
          saveOffered(s->SaveNetworkButton()->isVisible() && s->SaveNetworkButton()->isEnabled()) {
        for (int k = 0; k < 4; ++k)
            panels[k] = s->TrainingPanels()[static_cast<std::size_t>(k)]->Lines();
    }
};

void CompareViews(const PageView& got, const PageView& want) {
    QCOMPARE(got.delta, want.delta);
    QCOMPARE(got.epochTest, want.epochTest);
    QCOMPARE(got.errorTest, want.errorTest);
    QCOMPARE(got.epochs, want.epochs);
    QCOMPARE(got.printEpochs, want.printEpochs);
    QCOMPARE(got.minError, want.minError);
    QCOMPARE(got.order, want.order);
    QCOMPARE(got.seed, want.seed);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(got.panels[k], want.panels[k]);
    QCOMPARE(got.totalColour, want.totalColour);
    QCOMPARE(got.continueOffered, want.continueOffered);
    QCOMPARE(got.testRecallOffered, want.testRecallOffered);
    QCOMPARE(got.saveOffered, want.saveOffered);
}

// Everything a run leaves in the state that Continue Training and the result pages read.
void CompareNetworks(const PublicStuff& got, const PublicStuff& want) {
    QCOMPARE(got.Weights.Storage(), want.Weights.Storage());
    QCOMPARE(got.EpochCount, want.EpochCount);
    QCOMPARE(got.TotalSSE, want.TotalSSE);
    QCOMPARE(got.SSECount, want.SSECount);
    for (int r = 1; r <= want.SSECount; ++r) {
        QCOMPARE(got.SSEHistory[static_cast<std::size_t>(r)][1],
                 want.SSEHistory[static_cast<std::size_t>(r)][1]);
        QCOMPARE(got.SSEHistory[static_cast<std::size_t>(r)][2],
                 want.SSEHistory[static_cast<std::size_t>(r)][2]);
    }
    QCOMPARE(got.MaxEpochs, want.MaxEpochs);
    QCOMPARE(got.LearningRate, want.LearningRate);
    QCOMPARE(got.LearningRule, want.LearningRule);
    QCOMPARE(got.Order.Permuted, want.Order.Permuted);
    QCOMPARE(got.Order.Seed, want.Order.Seed);
}

// A session of the program with five.net (and another file) in a folder of its own.
struct Session : MainPagesSession {
    testsupport::TempFolder folder;

    explicit Session(const char* patterns = kFivePatterns, const char* name = "five.net") {
        testsupport::WriteBytes(folder.Path() / name, patterns);
        ShowSetupPage(folder.Path().string(), name);
    }
    DistMemPage* S() { return Setup(); }
    // The user sets up a run and starts it.
    void Train(bool delta, bool permuted, const char* epochs, const char* rate) {
        Click(delta ? S()->DeltaOption() : S()->HebbOption());
        ChooseOrder(permuted ? kRandomOrderChoice : kFileOrderChoice);
        if (permuted)
            S()->SeedEntryBox()->setText("5");
        S()->MaxEpochsBox()->setText(epochs);
        S()->RateBox()->setText(rate);
        Click(S()->StartTrainingButton());
    }
    void SaveAs(const std::filesystem::path& path) {
        backend.QueueFileName(QString::fromStdString(path.string()));
        Click(S()->SaveNetworkButton());
    }
    void Open(const std::filesystem::path& path) {
        backend.QueueFileName(QString::fromStdString(path.string()));
        Click(S()->OpenSavedNetworkButton());
    }
};

std::string ReadFile(const std::filesystem::path& path) {
    return testsupport::ReadBytes(path);
}

}  // namespace

class SavedNetworkPageTest : public QObject {
    Q_OBJECT
  private slots:
    void boxTextsReadBackAsTheSavedNumbers_data();
    void boxTextsReadBackAsTheSavedNumbers();
    void savingIsOfferedOnlyForATrainedNetwork();
    void aRefusedStartWithdrawsSaving_data();
    void aRefusedStartWithdrawsSaving();
    void resumedRunEqualsOneLongRun_data();
    void resumedRunEqualsOneLongRun();
    void savingAgainUnchangedGivesTheSameBytes();
    void refusedFilesLeaveTheNetworkAndPageAsTheyWere_data();
    void refusedFilesLeaveTheNetworkAndPageAsTheyWere();
    void cancelledDialogsDoNothing();
    void savingToAFolderIsRefusedWithTheReason();
    void dialogsProposeANameAndRememberTheFolder();
};

void SavedNetworkPageTest::boxTextsReadBackAsTheSavedNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    for (const char* locale : {"C", "de_DE", "fr_FR", "en_US"}) {
        for (double v :
             {0.1, 0.02, 1.5, 1e-05, 2.0 / 3.0, 0.123456789012345678, 1234.5, 1e-300, -0.25, 0.0}) {
            const QByteArray row = QByteArray(locale) + " " + QByteArray::number(v, 'g', 17);
            QTest::newRow(row.constData()) << QString::fromLatin1(locale) << v;
        }
    }
}

void SavedNetworkPageTest::boxTextsReadBackAsTheSavedNumbers() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    const QLocale l(locale);
    const std::string text = BoxTextForNumber(value, l);
    // The box must give back the very double that was saved, or a resumed run would differ.
    QCOMPARE(ReadBoxNumber(l, text), value);
    if (l.decimalPoint() == QStringLiteral(",") && value == 0.1)
        QCOMPARE(QString::fromStdString(text), QStringLiteral("0,1"));
}

void SavedNetworkPageTest::savingIsOfferedOnlyForATrainedNetwork() {
    Session p;
    QVERIFY(!p.S()->SaveNetworkButton()->isVisible());
    QVERIFY(p.S()->OpenSavedNetworkButton()->isVisible());
    QVERIFY(p.S()->OpenSavedNetworkButton()->isEnabled());
    p.Train(true, false, "10", "0.1");
    QVERIFY(p.S()->SaveNetworkButton()->isVisible());
    // A run that fails (the weights overflow) leaves no network worth saving.
    p.Train(true, false, "2000", "150");
    QCOMPARE(p.backend.shown.size(), std::size_t{1});
    QVERIFY(!p.S()->SaveNetworkButton()->isVisible());
    QVERIFY(p.S()->OpenSavedNetworkButton()->isEnabled());
}

void SavedNetworkPageTest::aRefusedStartWithdrawsSaving_data() {
    QTest::addColumn<QString>("refusal");
    // Start Training clears the weights before any entry is read; each of these refuses the
    // run after that.
    QTest::newRow("no stopping test ticked") << "no stopping test";
    QTest::newRow("3,000,000,000 epochs") << "epochs";
    QTest::newRow("negative rate") << "rate";
    QTest::newRow("random order, seed out of range") << "seed";
}

void SavedNetworkPageTest::aRefusedStartWithdrawsSaving() {
    QFETCH(QString, refusal);
    Session p;
    testsupport::TempFolder saves;
    p.Train(true, false, "10", "0.1");
    QVERIFY(p.S()->SaveNetworkButton()->isVisible());
    if (refusal == QLatin1String("no stopping test")) {
        p.S()->StopCheckBoxes()[0]->setChecked(false);
        p.S()->StopCheckBoxes()[1]->setChecked(false);
        p.Click(p.S()->StartTrainingButton());
    } else if (refusal == QLatin1String("seed")) {
        p.ChooseOrder(kRandomOrderChoice);
        p.S()->SeedEntryBox()->setText(QStringLiteral("-1"));
        p.Click(p.S()->StartTrainingButton());
    } else {
        p.Train(true, false, refusal == QLatin1String("epochs") ? "3000000000" : "10",
                refusal == QLatin1String("rate") ? "-0.5" : "0.1");
    }
    QCOMPARE(p.backend.shown.size(), std::size_t{1});  // the refusal's message
    QCOMPARE(p.state.EpochCount, 10);                  // the old run's count is still there...
    for (double w : p.state.Weights.Storage())         // ...but not its weights
        QCOMPARE(w, 0.0);
    QVERIFY(!p.S()->SaveNetworkButton()->isVisible());
    p.S()->SaveNetwork_Click();  // not even by a call the button could not make
    QVERIFY(p.backend.fileDialogs.empty());
    // The next run that ends offers it again.
    p.S()->StopCheckBoxes()[0]->setChecked(true);
    p.Train(true, false, "5", "0.1");
    QVERIFY(p.S()->SaveNetworkButton()->isVisible());
    p.SaveAs(saves.Path() / "five-5.json");
    QVERIFY(std::filesystem::exists(saves.Path() / "five-5.json"));
    QCOMPARE(p.S()->HintLine()->text(),
             QStringLiteral("Network saved as ") + QDir::toNativeSeparators(QString::fromStdString(
                                                       (saves.Path() / "five-5.json").string())));
}

void SavedNetworkPageTest::resumedRunEqualsOneLongRun_data() {
    QTest::addColumn<bool>("delta");
    QTest::addColumn<bool>("permuted");
    QTest::addColumn<QString>("rate");
    // Every rule and order resumes to the bit in the session's own tests; here, what the
    // page shows of an opened network, for both rules.
    QTest::newRow("Hebb, file order") << false << false << "0.05";
    QTest::newRow("Delta, random order, odd rate") << true << true << "0.137";
}

void SavedNetworkPageTest::resumedRunEqualsOneLongRun() {
    QFETCH(bool, delta);
    QFETCH(bool, permuted);
    QFETCH(QString, rate);
    testsupport::TempFolder saves;
    const auto statePath = saves.Path() / "five-50.json";

    // The session that saves: 50 epochs, saved, then continued for 50 more.
    Session first;
    first.Train(delta, permuted, "50", rate.toLatin1().constData());
    const PageView afterFirstRun(first.S());
    first.SaveAs(statePath);
    QCOMPARE(first.backend.shown.size(), std::size_t{0});
    QVERIFY(std::filesystem::exists(statePath));
    first.Click(first.S()->ContinueTrainingButton());
    QCOMPARE(first.state.EpochCount, 100);

    // A later session: another run first, then the saved network opened and continued.
    Session later;
    later.Train(!delta, !permuted, "7", "0.3");
    later.Open(statePath);
    QCOMPARE(later.backend.shown.size(), std::size_t{0});
    CompareViews(PageView(later.S()), afterFirstRun);
    QCOMPARE(ReadBoxNumber(QLocale(), later.S()->RateBox()->text().toStdString()),
             first.state.LearningRate);
    // The sliders follow the boxes they belong to.
    QCOMPARE(later.S()->RateSlider()->Value(), qRound(first.state.LearningRate * 100));
    QCOMPARE(later.S()->MinimumErrorSlider()->Value(), 5);
    later.Click(later.S()->ContinueTrainingButton());
    CompareNetworks(later.state, first.state);
    CompareViews(PageView(later.S()), PageView(first.S()));
}

void SavedNetworkPageTest::savingAgainUnchangedGivesTheSameBytes() {
    testsupport::TempFolder saves;
    Session first;
    first.Train(true, true, "30", "0.1");
    first.SaveAs(saves.Path() / "a.json");
    Session later;
    later.Open(saves.Path() / "a.json");
    later.SaveAs(saves.Path() / "b.json");
    QCOMPARE(later.backend.shown.size(), std::size_t{0});
    QCOMPARE(ReadFile(saves.Path() / "b.json"), ReadFile(saves.Path() / "a.json"));
}

void SavedNetworkPageTest::refusedFilesLeaveTheNetworkAndPageAsTheyWere_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("whatToDo");  // the page's own sentence after the reason
    QTest::newRow("cut short") << "cut"
                               << "is damaged or cut short"
                               << "";
    QTest::newRow("the training file changed since")
        << "training file"
        << "is not the file the network was trained on: its SHA-256 differs"
        << "The training file \"five.net\" has changed since this network was saved";
    QTest::newRow("another training file")
        << "another name"
        << "is not the file the network was trained on"
        << "The network was trained on \"five.net\": choose that training file";
    QTest::newRow("a training file opened as a saved network")
        << "training file as state"
        << "five.net"
        << "\"five.net\" is a training file, not a saved network: choose it in the file list";
    // Opening a pipe would wait for a writer with the window frozen.
    QTest::newRow("state file a pipe") << "pipe"
                                       << "cannot be read: it is a pipe, device or socket"
                                       << "";
    QTest::newRow("pipe for the training file") << "pipe for training"
                                                << "cannot be read: it is a pipe, device or socket"
                                                << "";
}

void SavedNetworkPageTest::refusedFilesLeaveTheNetworkAndPageAsTheyWere() {
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QFETCH(QString, whatToDo);
    testsupport::TempFolder saves;
    auto statePath = saves.Path() / "saved.json";
    {
        Session maker;
        maker.Train(true, false, "40", "0.1");
        maker.SaveAs(statePath);
    }
    std::string text = ReadFile(statePath);
    // What each refusal of a state file says is the session's to test; here, that the page
    // shows it and keeps everything, and the refusals only the page makes.
    if (damage == "cut")
        text.resize(text.size() / 2);
    if (damage == "pipe") {
        std::filesystem::remove(statePath);
        testsupport::MakeFifo(statePath);
    } else {
        testsupport::WriteBytes(statePath, text);
    }

    // The session the user opens it in has a network of its own, trained by Hebb.
    Session p(
        damage == "training file" || damage == "another name" ? kOtherPatterns : kFivePatterns,
        damage == "another name" ? "other.net" : "five.net");
    if (damage == "training file as state")
        statePath = p.folder.Path() / "five.net";
    p.Train(false, true, "12", "0.2");
    const PublicStuff before = p.state;
    const PageView shownBefore(p.S());
    if (damage == "pipe for training") {
        std::filesystem::remove(p.folder.Path() / "five.net");
        testsupport::MakeFifo(p.folder.Path() / "five.net");
    }

    p.Open(statePath);
    QCOMPARE(p.backend.shown.size(), std::size_t{1});
    const QString message = p.backend.shown[0].text;
    QVERIFY2(message.contains(QString::fromStdString(statePath.string())), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    if (whatToDo.isEmpty())
        QVERIFY2(!message.contains(QStringLiteral("\n\n")), qPrintable(message));
    else
        QVERIFY2(message.contains(QStringLiteral("\n\n") + whatToDo), qPrintable(message));
    CompareNetworks(p.state, before);
    CompareViews(PageView(p.S()), shownBefore);
    QCOMPARE(p.state.TrainingFilePath, before.TrainingFilePath);
}

void SavedNetworkPageTest::cancelledDialogsDoNothing() {
    testsupport::TempFolder saves;
    Session p;
    p.Train(true, false, "20", "0.1");
    const PublicStuff before = p.state;
    const PageView shownBefore(p.S());
    p.Click(p.S()->SaveNetworkButton());  // no name queued: the user cancels
    p.Click(p.S()->OpenSavedNetworkButton());
    QCOMPARE(p.backend.fileDialogs.size(), std::size_t{2});
    QCOMPARE(p.backend.shown.size(), std::size_t{0});
    CompareNetworks(p.state, before);
    CompareViews(PageView(p.S()), shownBefore);
}

void SavedNetworkPageTest::savingToAFolderIsRefusedWithTheReason() {
    testsupport::TempFolder saves;
    Session p;
    p.Train(true, false, "20", "0.1");
    p.SaveAs(saves.Path());
    QCOMPARE(p.backend.shown.size(), std::size_t{1});
    const QString message = p.backend.shown[0].text;
    QVERIFY2(message.startsWith(QStringLiteral("The network cannot be saved to \"") +
                                QString::fromStdString(saves.Path().string())),
             qPrintable(message));
    QVERIFY(std::filesystem::is_empty(saves.Path()));
    // Nothing is lost: the network is still there to save elsewhere.
    p.SaveAs(saves.Path() / "ok.json");
    QCOMPARE(p.backend.shown.size(), std::size_t{1});
    QVERIFY(LoadNetworkState((saves.Path() / "ok.json").string(), p.state.TrainingFilePath)
                .Network.has_value());
}

void SavedNetworkPageTest::dialogsProposeANameAndRememberTheFolder() {
    testsupport::TempFolder saves;
    Session p;
    p.Train(true, false, "20", "0.1");
    p.SaveAs(saves.Path() / "mine.json");
    p.Click(p.S()->SaveNetworkButton());
    p.Click(p.S()->OpenSavedNetworkButton());
    const auto& dialogs = p.backend.fileDialogs;
    QCOMPARE(dialogs.size(), std::size_t{3});
    QVERIFY(dialogs[0].forSaving);
    QCOMPARE(dialogs[0].caption, QStringLiteral("Save Network"));
    QCOMPARE(dialogs[0].start, QDir::home().filePath(QStringLiteral("five-20.json")));
    QVERIFY(dialogs[0].filter.contains(QStringLiteral("*.json")));
    // Later dialogs start where the last network was saved.
    const QString folder = QString::fromStdString(saves.Path().string());
    QCOMPARE(dialogs[1].start, QDir(folder).filePath(QStringLiteral("five-20.json")));
    QVERIFY(!dialogs[2].forSaving);
    QCOMPARE(dialogs[2].caption, QStringLiteral("Open Saved Network"));
    QCOMPARE(QDir(dialogs[2].start), QDir(folder));
}

QTEST_MAIN(SavedNetworkPageTest)
#include "SavedNetworkPageTest.moc"
