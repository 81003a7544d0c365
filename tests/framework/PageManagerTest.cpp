// Loading, showing, activating and unloading pages, and the end of the program.

#include <QCloseEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>
#include <map>

#include "TestContext.h"

namespace {

// What the handlers of every test page did, by page name.
struct Journal {
    std::map<QString, int> loads, activations;
    std::vector<std::pair<QString, mnemex::UnloadReason>> unloads;
    void Clear() { *this = Journal{}; }
};
Journal journal;

class CountingPage : public mnemex::Page {
  public:
    CountingPage(mnemex::PageContext& c, const QString& name) : Page(c, name) {}
    void Form_Load() override {
        ++journal.loads[Name()];
        FrameStart();
    }
    void Form_Activate() override { ++journal.activations[Name()]; }
    void Form_Unload(mnemex::UnloadReason reason) override {
        journal.unloads.emplace_back(Name(), reason);
    }
};

// Shows itself while loading, as a page that opens its own window in Form_Load.
class SelfShowingPage : public CountingPage {
  public:
    explicit SelfShowingPage(mnemex::PageContext& c) : CountingPage(c, "SelfShowing") {}
    void Form_Load() override {
        CountingPage::Form_Load();
        Pages().Show(Name());
    }
};

// Gives up while loading: unloads itself.
class SelfUnloadingPage : public CountingPage {
  public:
    explicit SelfUnloadingPage(mnemex::PageContext& c) : CountingPage(c, "SelfUnloading") {}
    void Form_Load() override {
        CountingPage::Form_Load();
        Pages().Unload(this);
    }
};

}  // namespace

class PageManagerTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void loadingTwiceRunsFormLoadOnce();
    void unknownPageFailsLoudly();
    void pagesGetTheContext();
    void showMakesVisibleAndActivates();
    void activationRunsOnEachReturnToThePage();
    void windowActivateEventRunsFormActivate();
    void unloadDestroysAndLoadStartsAfresh();
    void programEndsWhenTheLastPageGoes();
    void closeButtonUnloadsThePage();
    void endProgramUnloadsEveryPage();
    void showingItselfWhileLoadingLoadsOnce();
    void unloadingItselfWhileLoadingLoadsNothing();
    void movingOnFromAPageKeepsTheProgramRunning();
    void pagesGoWithTheManagerEvenAfterTheEventLoop();

  private:
    TestContext* t_ = nullptr;
};

void PageManagerTest::init() {
    journal.Clear();
    t_ = new TestContext;
    for (const char* name : {"Network1", "DistMem", "TestDAM", "ProbeNetwork"}) {
        t_->pages.RegisterPage(name, [name](mnemex::PageContext& c) {
            return std::make_unique<CountingPage>(c, QString::fromLatin1(name));
        });
    }
    t_->pages.RegisterPage<SelfShowingPage>("SelfShowing");
    t_->pages.RegisterPage<SelfUnloadingPage>("SelfUnloading");
}

void PageManagerTest::cleanup() {
    delete t_;
    t_ = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PageManagerTest::loadingTwiceRunsFormLoadOnce() {
    mnemex::Form* first = t_->pages.Load("DistMem");
    mnemex::Form* second = t_->pages.Load("DistMem");
    QVERIFY(first != nullptr);
    QCOMPARE(second, first);
    QCOMPARE(journal.loads["DistMem"], 1);
    QCOMPARE(t_->pages.Find("DistMem"), first);
    QVERIFY(first->isHidden());  // loaded, not shown
    QCOMPARE(journal.activations["DistMem"], 0);
    QCOMPARE(t_->pages.LoadedNames(), QStringList{"DistMem"});
}

// A name nobody registered is the program's own fault: it must not pass unnoticed.
void PageManagerTest::unknownPageFailsLoudly() {
#ifndef QT_NO_DEBUG
    QSKIP("debug builds stop at an assertion instead");
#else
    QVERIFY_THROWS_EXCEPTION(mnemex::UnknownFormError, t_->pages.Load("NoSuchPage"));
    QVERIFY_THROWS_EXCEPTION(mnemex::UnknownFormError, t_->pages.Show("NoSuchPage"));
    QVERIFY(t_->pages.LoadedNames().isEmpty());
    QCOMPARE(t_->quits, 0);
    // Asking about a page that is not loaded is no fault: nothing is loaded, nothing unloads.
    QCOMPARE(t_->pages.Find("NoSuchPage"), nullptr);
    t_->pages.Unload(QStringLiteral("NoSuchPage"));
    QCOMPARE(t_->quits, 0);
#endif
}

void PageManagerTest::pagesGetTheContext() {
    auto* page = t_->pages.FindAs<mnemex::Page>("x");
    QCOMPARE(page, nullptr);
    page = static_cast<mnemex::Page*>(t_->pages.Load("TestDAM"));
    QCOMPARE(&page->State(), t_->state.get());
    QCOMPARE(&page->Dialog(), &t_->dialogs);
    QCOMPARE(&page->Pages(), &t_->pages);
    QCOMPARE(t_->pages.FindPage("TestDAM"), page);
}

void PageManagerTest::showMakesVisibleAndActivates() {
    mnemex::Form* page = t_->pages.Show("Network1");
    QVERIFY(page != nullptr);
    QVERIFY(page->isVisible());
    QCOMPARE(journal.loads["Network1"], 1);
    QCOMPARE(journal.activations["Network1"], 1);
    QCOMPARE(t_->pages.ActiveForm(), page);
    // Showing the page that is already active activates nothing again.
    t_->pages.Show("Network1");
    QCOMPARE(journal.activations["Network1"], 1);
    QCOMPARE(journal.loads["Network1"], 1);
}

void PageManagerTest::activationRunsOnEachReturnToThePage() {
    mnemex::Form* setup = t_->pages.Show("DistMem");
    mnemex::Form* hub = t_->pages.Show("TestDAM");
    QCOMPARE(journal.activations["DistMem"], 1);
    QCOMPARE(journal.activations["TestDAM"], 1);
    // The user clicks the setup page behind the hub, then the hub again.
    t_->pages.NotifyActivated(setup);
    t_->pages.NotifyActivated(hub);
    t_->pages.NotifyActivated(hub);
    QCOMPARE(journal.activations["DistMem"], 2);
    QCOMPARE(journal.activations["TestDAM"], 2);
    // The hub sends the user back to the setup page.
    t_->pages.Show("DistMem");
    t_->pages.Unload("TestDAM");
    QCOMPARE(journal.activations["DistMem"], 3);
    QCOMPARE(journal.loads["DistMem"], 1);
}

void PageManagerTest::windowActivateEventRunsFormActivate() {
    mnemex::Form* setup = t_->pages.Show("DistMem");
    t_->pages.Show("TestDAM");
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(setup, &activate);
    QCOMPARE(journal.activations["DistMem"], 2);
    // A message box closing hands activation back to the same page: no new activation.
    QCoreApplication::sendEvent(setup, &activate);
    QCOMPARE(journal.activations["DistMem"], 2);
}

void PageManagerTest::unloadDestroysAndLoadStartsAfresh() {
    QSignalSpy unloaded(&t_->pages, &mnemex::FormManager::Unloaded);
    t_->pages.Show("Network1");
    QPointer<mnemex::Form> probe = t_->pages.Show("ProbeNetwork");
    auto* label = new QLabel("text typed by the user", probe);
    t_->pages.Unload("ProbeNetwork");
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(unloaded.at(0).at(0).toString(), QStringLiteral("ProbeNetwork"));
    QCOMPARE(t_->pages.Find("ProbeNetwork"), nullptr);
    QVERIFY(probe->isHidden());
    QCOMPARE(journal.unloads.size(), std::size_t{1});
    QCOMPARE(journal.unloads[0].second, mnemex::UnloadReason::ByProgram);
    // Unloading what is not loaded does nothing.
    t_->pages.Unload("ProbeNetwork");
    QCOMPARE(unloaded.count(), 1);
    // Destroyed once its handler has returned to the event loop.
    QVERIFY(probe != nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(probe == nullptr);
    Q_UNUSED(label);
    mnemex::Form* again = t_->pages.Load("ProbeNetwork");
    QVERIFY(again != nullptr);
    QCOMPARE(journal.loads["ProbeNetwork"], 2);
    QVERIFY(again->findChildren<QLabel*>().isEmpty());
}

void PageManagerTest::programEndsWhenTheLastPageGoes() {
    QSignalSpy ended(&t_->pages, &mnemex::FormManager::ProgramEnded);
    t_->pages.Show("DistMem");
    t_->pages.Show("TestDAM");
    t_->pages.Show("ProbeNetwork");
    // "Exit Program" on the hub: the hub and the setup page go, the probe page stays.
    t_->pages.Unload("TestDAM");
    t_->pages.Unload("DistMem");
    QCOMPARE(t_->quits, 0);
    QVERIFY(!t_->pages.Ended());
    t_->pages.Unload("ProbeNetwork");
    QCOMPARE(t_->quits, 1);
    QCOMPARE(ended.count(), 1);
    QVERIFY(t_->pages.Ended());
}

void PageManagerTest::closeButtonUnloadsThePage() {
    mnemex::Form* hub = t_->pages.Show("TestDAM");
    t_->pages.Show("DistMem");
    QVERIFY(hub->close());
    QCOMPARE(t_->pages.Find("TestDAM"), nullptr);
    QCOMPARE(journal.unloads.back().second, mnemex::UnloadReason::ByCloseButton);
    QCOMPARE(t_->quits, 0);
    QVERIFY(t_->pages.Find("DistMem")->close());
    QCOMPARE(t_->quits, 1);
}

void PageManagerTest::endProgramUnloadsEveryPage() {
    t_->pages.Show("DistMem");
    t_->pages.Load("TestDAM");
    t_->pages.Show("ProbeNetwork");
    t_->pages.EndProgram();
    QVERIFY(t_->pages.LoadedNames().isEmpty());
    QCOMPARE(t_->quits, 1);
    QCOMPARE(journal.unloads.size(), std::size_t{3});
    for (const auto& [name, reason] : journal.unloads) {
        QCOMPARE(reason, mnemex::UnloadReason::ByEndProgram);
    }
    // Nothing loads once the program has ended; ending again does nothing.
    QCOMPARE(t_->pages.Load("Network1"), nullptr);
    t_->pages.EndProgram();
    QCOMPARE(t_->quits, 1);
}

void PageManagerTest::showingItselfWhileLoadingLoadsOnce() {
    mnemex::Form* page = t_->pages.Load("SelfShowing");
    QVERIFY(page != nullptr);
    QCOMPARE(journal.loads["SelfShowing"], 1);
    QVERIFY(page->isVisible());
    QCOMPARE(journal.activations["SelfShowing"], 1);
    QCOMPARE(t_->pages.LoadedNames(), QStringList{"SelfShowing"});
}

void PageManagerTest::unloadingItselfWhileLoadingLoadsNothing() {
    t_->pages.Show("Network1");
    QCOMPARE(t_->pages.Load("SelfUnloading"), nullptr);
    QCOMPARE(journal.loads["SelfUnloading"], 1);
    QCOMPARE(t_->pages.LoadedNames(), QStringList{"Network1"});
}

void PageManagerTest::movingOnFromAPageKeepsTheProgramRunning() {
    // The introductory page opens the setup page and closes itself.
    t_->pages.Show("Network1");
    t_->pages.Show("DistMem");
    t_->pages.Unload("Network1");
    QCOMPARE(t_->quits, 0);
    QCOMPARE(t_->pages.LoadedNames(), QStringList{"DistMem"});
    QCOMPARE(t_->pages.ActiveForm(), t_->pages.Find("DistMem"));
}

void PageManagerTest::pagesGoWithTheManagerEvenAfterTheEventLoop() {
    QPointer<mnemex::Form> unloaded = t_->pages.Show("ProbeNetwork");
    QPointer<mnemex::Form> loaded = t_->pages.Show("TestDAM");
    t_->pages.Unload("ProbeNetwork");
    // No event loop runs any more: the manager itself deletes what is left.
    delete t_;
    t_ = nullptr;
    QVERIFY(unloaded == nullptr);
    QVERIFY(loaded == nullptr);
}

QTEST_MAIN(PageManagerTest)
#include "PageManagerTest.moc"
