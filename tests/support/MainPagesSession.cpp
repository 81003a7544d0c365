#include "tests/support/MainPagesSession.h"

#include <QtTest>

#include "pages/main/MainPages.h"
#include "pages/main/Network1Logic.h"

namespace mnemex::testsupport {

MainPagesSession::MainPagesSession() {
    pages::RegisterMainPages(manager);
}

void MainPagesSession::ShowSetupPage(const std::string& folder, const std::string& name) {
    const pages::FileChoice choice = pages::LoadChosenFile(state, folder, name);
    if (!choice.Loaded)
        qFatal("%s", choice.Message.c_str());
    state.NewRun = 1;
    manager.Show(QString::fromLatin1(pages::DistMemPage::kName));
}

pages::DistMemPage* MainPagesSession::Setup() {
    return manager.FindAs<pages::DistMemPage>(QString::fromLatin1(pages::DistMemPage::kName));
}

void MainPagesSession::Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainPagesSession::ChooseOrder(int index) {
    QComboBox* box = Setup()->PatternOrderBox();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace mnemex::testsupport
