// Message boxes and the prompt: line breaks, default title, buttons and answers, through
// the scripted backend and through the real Qt dialogs.

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "pages/framework/Dialogs.h"
#include "tests/support/ScriptedDialogBackend.h"

using mnemex::Dialogs;
using mnemex::MsgStyle;
using mnemex::ScriptedDialogBackend;

namespace {

const QString CR(QChar(13));

// Runs `act` on the modal dialog once it is open.
void WhenModalOpens(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        act(modal);
    });
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void carriageReturnsStartNewLines_data();
    void carriageReturnsStartNewLines();
    void titleDefaultsToTheProgramTitle();
    void titleFallsBackOnTheApplicationName();
    void yesNoAnswers_data();
    void yesNoAnswers();
    void promptReturnsTypedTextOrEmpty();
    void realMessageBoxShowsLinesIconAndNoAsDefault();
    void realMessageBoxYesReturnsSix();
    void realWarningBoxReturnsOk();
    void realPromptCancelGivesEmptyText();
    void realPromptReturnsTypedText();
};

void DialogsTest::carriageReturnsStartNewLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no break") << "Uninstall cannot run."
                              << "Uninstall cannot run.";
    QTest::newRow("three lines joined by CR")
        << "The installation log file is not in the expected location." + CR +
               "Uninstall cannot run." + CR +
               "Please try using the add/remove programs option in the control panel."
        << "The installation log file is not in the expected location.\nUninstall cannot "
           "run.\nPlease try using the add/remove programs option in the control panel.";
    QTest::newRow("CR LF is one break") << "a\r\nb"
                                        << "a\nb";
    QTest::newRow("two CRs leave an empty line") << "a" + CR + CR + "b"
                                                 << "a\n\nb";
    QTest::newRow("trailing CR") << "a" + CR << "a\n";
}

void DialogsTest::carriageReturnsStartNewLines() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    ScriptedDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    QCOMPARE(dialogs.MsgBox(text), mnemex::kMsgOk);
    QCOMPARE(backend.shown.size(), std::size_t{1});
    QCOMPARE(backend.shown[0].text, shown);
    QCOMPARE(mnemex::MessageText(text), shown);
}

void DialogsTest::titleDefaultsToTheProgramTitle() {
    ScriptedDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("uninstall-Mnemex"));
    dialogs.MsgBox(QStringLiteral("No method for continuing has been selected!"));
    dialogs.MsgBox(QStringLiteral("Learning rate cannot be negative"), MsgStyle::OkWarning,
                   QStringLiteral("Learning Rate"));
    dialogs.InputBox(QStringLiteral("Enter name of directory:"));
    QCOMPARE(backend.shown.size(), std::size_t{3});
    QCOMPARE(backend.shown[0].title, QStringLiteral("uninstall-Mnemex"));
    QCOMPARE(backend.shown[0].style, MsgStyle::OkOnly);
    QCOMPARE(backend.shown[1].title, QStringLiteral("Learning Rate"));
    QCOMPARE(backend.shown[1].style, MsgStyle::OkWarning);
    QCOMPARE(backend.shown[2].title, QStringLiteral("uninstall-Mnemex"));
    QVERIFY(backend.shown[2].isPrompt);
}

void DialogsTest::titleFallsBackOnTheApplicationName() {
    QApplication::setApplicationName(QStringLiteral("Mnemex"));
    ScriptedDialogBackend backend;
    Dialogs dialogs(backend);
    dialogs.MsgBox(QStringLiteral("x"));
    QCOMPARE(backend.shown.at(0).title, QStringLiteral("Mnemex"));
}

void DialogsTest::yesNoAnswers_data() {
    QTest::addColumn<QList<int>>("queued");
    QTest::addColumn<QList<int>>("answers");
    QTest::newRow("yes") << QList<int>{mnemex::kMsgYes} << QList<int>{6};
    QTest::newRow("no") << QList<int>{mnemex::kMsgNo} << QList<int>{7};
    QTest::newRow("nothing queued answers No") << QList<int>{} << QList<int>{7, 7};
    QTest::newRow("in order, then No") << QList<int>{6, 7, 6} << QList<int>{6, 7, 6, 7};
}

void DialogsTest::yesNoAnswers() {
    QFETCH(QList<int>, queued);
    QFETCH(QList<int>, answers);
    ScriptedDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    for (int b : queued) {
        backend.QueueButton(b);
    }
    for (int expected : answers) {
        QCOMPARE(dialogs.MsgBox(QStringLiteral("File already exists -- overwrite it?"),
                                MsgStyle::YesNoQuestion, QStringLiteral("Pre-existing Filename")),
                 expected);
    }
    // An OK box does not use up a queued answer.
    backend.QueueButton(mnemex::kMsgYes);
    QCOMPARE(dialogs.MsgBox(QStringLiteral("ok")), mnemex::kMsgOk);
    QCOMPARE(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNoQuestion), mnemex::kMsgYes);
}

void DialogsTest::promptReturnsTypedTextOrEmpty() {
    ScriptedDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    backend.QueueText(QStringLiteral("report"));
    QCOMPARE(dialogs.InputBox(QStringLiteral("Enter name of file to save:"),
                              QStringLiteral("Name File")),
             QStringLiteral("report"));
    QCOMPARE(dialogs.InputBox(QStringLiteral("Enter name of file to save:"),
                              QStringLiteral("Name File")),
             QString());
    QCOMPARE(backend.shown.at(0).text, QStringLiteral("Enter name of file to save:"));
    QCOMPARE(backend.shown.at(0).title, QStringLiteral("Name File"));
}

void DialogsTest::realMessageBoxShowsLinesIconAndNoAsDefault() {
    mnemex::QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    QString seenText;
    QString seenTitle;
    bool noIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        icon = box->icon();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        // Enter presses the default button.
        QTest::keyClick(box, Qt::Key_Return);
    });
    const int answer =
        dialogs.MsgBox("File already exists" + CR + "overwrite it?", MsgStyle::YesNoQuestion);
    QCOMPARE(answer, mnemex::kMsgNo);
    QCOMPARE(seenText, QStringLiteral("File already exists\noverwrite it?"));
    QCOMPARE(seenTitle, QStringLiteral("Mnemex"));
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(noIsDefault);
}

void DialogsTest::realMessageBoxYesReturnsSix() {
    mnemex::QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    WhenModalOpens([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNoQuestion), 6);
}

void DialogsTest::realWarningBoxReturnsOk() {
    mnemex::QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs.MsgBox(
                 QStringLiteral("At least one box for method of ending training must be checked."),
                 MsgStyle::OkWarning, QStringLiteral("No stopping method set")),
             mnemex::kMsgOk);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, 1);
}

void DialogsTest::realPromptCancelGivesEmptyText() {
    mnemex::QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    WhenModalOpens([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input != nullptr);
        input->setTextValue(QStringLiteral("typed but cancelled"));
        input->reject();
    });
    QCOMPARE(dialogs.InputBox(QStringLiteral("Enter name of directory:"),
                              QStringLiteral("Create Directory")),
             QString());
}

void DialogsTest::realPromptReturnsTypedText() {
    mnemex::QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    QString title;
    WhenModalOpens([&](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input != nullptr);
        title = input->windowTitle();
        input->setTextValue(QStringLiteral("results"));
        input->accept();
    });
    QCOMPARE(dialogs.InputBox(QStringLiteral("Enter name of directory:"),
                              QStringLiteral("Create Directory")),
             QStringLiteral("results"));
    QCOMPARE(title, QStringLiteral("Create Directory"));
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
