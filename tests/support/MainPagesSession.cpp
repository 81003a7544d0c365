#include "tests/support/MainPagesSession.h"

#include <QtTest>

#include "pages/main/MainPages.h"
#include "pages/main/Network1Logic.h"

namespace mnemex::testsupport {

namespace {

// A result page the hub may open, standing in for the real one.
class StandInPage : public Page {
  public:
    StandInPage(PageContext& c, const QString& name) : Page(c, name) {}
};

}  // namespace

MainPagesSession::MainPagesSession() {
    manager.SetQuitAction([this] { ended = true; });
    pages::RegisterMainPages(manager);
}

void MainPagesSession::ShowSetupPage(const std::string& folder, const std::string& name) {
    const pages::FileChoice choice = pages::LoadChosenFile(state, folder, name);
    if (!choice.Loaded)
        qFatal("%s", choice.Message.c_str());
    state.NewRun = 1;
    manager.Show(QString::fromLatin1(pages::DistMemPage::kName));
}

pages::Network1Page* MainPagesSession::Intro() {
    return manager.FindAs<pages::Network1Page>(QString::fromLatin1(pages::Network1Page::kName));
}

pages::DistMemPage* MainPagesSession::Setup() {
    return manager.FindAs<pages::DistMemPage>(QString::fromLatin1(pages::DistMemPage::kName));
}

pages::TestDAMPage* MainPagesSession::Hub() {
    return manager.FindAs<pages::TestDAMPage>(QString::fromLatin1(pages::TestDAMPage::kName));
}

void MainPagesSession::Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainPagesSession::ChooseOrder(int index) {
    QComboBox* box = Setup()->PatternOrderBox();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void MainPagesSession::ToHub() {
    Click(Setup()->TestRecallButton());
    QVERIFY(Hub() != nullptr);
}

void MainPagesSession::Reactivate(Form* page) {
    const QString other = QStringLiteral("Elsewhere");
    if (!manager.IsRegistered(other))
        manager.RegisterPage(
            other, [other](PageContext& c) { return std::make_unique<StandInPage>(c, other); });
    manager.NotifyActivated(manager.Load(other));
    manager.Unload(other);
    manager.NotifyActivated(page);
    Settle();
}

int MainPagesSession::MessageCount() const {
    return static_cast<int>(backend.shown.size());
}

const ScriptedDialogBackend::Shown& MainPagesSession::LastMessage() const {
    return backend.shown.back();
}

void MainPagesSession::Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DoubleClickItem(pages::ListBox* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

MainPagesFromTheStart::MainPagesFromTheStart() {
    for (const char* name : {"ProbeNetwork", "SaveResults", "PlotSSEdata"}) {
        const QString page = QString::fromLatin1(name);
        manager.RegisterPage(page, [this, page](PageContext& c) {
            ++resultPagesMade;
            return std::make_unique<StandInPage>(c, page);
        });
    }
    WriteBytes(folder.Path() / "independent.net",
               "2, 0, 4, 3\n1, 1, 0, 0\n0, 1, 1, 0\n0, 0, 1, 1\n1, 0\n0, 1\n1, 1\n");
    WriteBytes(folder.Path() / "orthogonal.net",
               "3, 0, 4, 4\n0.5, 0.5, 0.5, 0.5\n0.5, -0.5, 0.5, -0.5\n0.5, 0.5, -0.5, -0.5\n"
               "0.5, -0.5, -0.5, 0.5\n1, 0, 0\n0, 1, 0\n0, 0, 1\n1, 1, 1\n");
    WriteBytes(folder.Path() / "broken.net", "2, 0, 4, 3\n1, 1, 0\n");
    WriteBytes(folder.Path() / "notes.txt", "not a training file");
    manager.Show(QString::fromLatin1(pages::Network1Page::kName));
}

QString MainPagesFromTheStart::FolderPath() const {
    return QString::fromStdString(folder.Path().string());
}

void MainPagesFromTheStart::DoubleClickFile(const QString& name) {
    pages::Network1Page* page = Intro();
    page->FolderListBox()->SetPath(FolderPath());
    const int row = page->FileListBox()->Items().indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    page->FileListBox()->DoubleClickItem(row);
}

void MainPagesFromTheStart::ToSetup(const QString& name) {
    DoubleClickFile(name);
    Click(Intro()->NextPageButton());
    Settle();
    QVERIFY(Setup() != nullptr);
}

}  // namespace mnemex::testsupport
