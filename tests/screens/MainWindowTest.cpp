#include "ScreenFixture.h"

#include "screens/Controls.h"
#include "screens/DropDownBox.h"
#include "screens/HelpViewer.h"
#include "screens/QtPrompter.h"
#include "screens/SingleInstance.h"
#include "screens/frmCote.h"
#include "screens/frmOptions.h"
#include "screens/rappJS.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sg {
namespace {

TEST_F(ScreenTest, APasteOfThousandsOfCommasIsCorrectedInOneChange) {
    // In a bet's box or a runner row's; typing a comma is in the odds entry scenario.
    main.EnsureHiddenRows();
    main.txtCote[1]->setText(QString("1,").repeated(8000));
    EXPECT_EQ(main.txtCote[1]->text(), QString("1.").repeated(8000));
    EXPECT_EQ(state.calc.OddsTable[1], 1.1f);
    for (int box : {1, 15}) {
        main.txtCote[box]->setText(QString(10000, ','));
        EXPECT_EQ(main.txtCote[box]->text(), QString(10000, '.')) << box;
    }
    EXPECT_EQ(state.calc.OddsTable[1], 0.0f);
}

TEST_F(ScreenTest, SelectingAButtonFromCodeRunsItsHandlerOnceAndReselectingDoesNot) {
    main.txtCote[1]->setText("4");
    main.txtCote[2]->setText("3");
    main.Option1[1]->setChecked(true);
    EXPECT_EQ(state.calc.HorseCountClickCounter, 1);
    EXPECT_EQ(state.calc.PlayedHorseCount, 2);
    main.Option1[1]->setChecked(true);
    QTest::mouseClick(main.Option1[1], Qt::LeftButton);
    EXPECT_EQ(state.calc.HorseCountClickCounter, 1);
    QTest::mouseClick(main.Option1[10], Qt::LeftButton);
    EXPECT_EQ(state.calc.HorseCountClickCounter, 3); // the second selection runs twice
}

TEST_F(ScreenTest, LeavingTheWindowIsNoLeavingOfTheBox) {
    main.txtCote[1]->setText("4,5");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(main.txtCote[1], &away);
    EXPECT_EQ(main.txtCote[1]->text(), "4,5");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(main.txtCote[1], &leave);
    EXPECT_EQ(main.txtCote[1]->text(), "4.5");
    EXPECT_EQ(main.HScroll2[1]->focusPolicy(), Qt::StrongFocus);
}

TEST(Fermer, EndsTheRealProgramWithoutTheQuestion) {
    SharedState state;
    std::vector<std::string> lines;
    RecordingPrompter prompter([&lines](const std::string& line) { lines.push_back(line); });
    QtShell shell;
    Screens screens(state, prompter, shell, QDir::currentPath());
    screens.main().show();
    // Clicked while the program's loop runs, the button ends that loop at once.
    QEventLoop loop;
    bool ended = false;
    QTimer::singleShot(0, &loop, [&] {
        screens.main().Command3->click();
        ended = !loop.isRunning();
        loop.exit();
    });
    loop.exec();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(lines.empty());
    // The application's exit outlives the loop it ended; a loop started afterwards runs again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST(Help, TheDocumentTravelsInsideTheProgram) {
    QtShell shell;
    shell.openHelp("VARLO.HLP");
    HelpViewer* help = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible())
            help = viewer;
    }
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->documentTitle(), "Aide de Simple Gagnant");
    EXPECT_TRUE(help->toPlainText().contains("Inscrire les cotes"));
    help->close();
}

// A socket bound under the instance's name in the temporary folder, listening with an
// empty queue or not at all.
int SocketAt(const std::string& path, bool listening) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              (!listening || ::listen(fd, 0) == 0);
    return ok ? fd : -1;
}

struct SingleInstanceTest : ::testing::Test {
    QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QString key = "sg-test-" + QUuid::createUuid().toString(QUuid::Id128);
    std::string path = (QDir::tempPath() + "/" + key).toStdString();
    SingleInstanceTest() { qputenv("XDG_RUNTIME_DIR", ""); } // a folder others can write in
    ~SingleInstanceTest() override {
        ::unlink(path.c_str());
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
};

TEST_F(SingleInstanceTest, ALaterStartFindsTheFirstAndAsksItToComeForward) {
    // What a program that ended badly leaves behind does not count as a running one.
    ::close(SocketAt(path, false));
    {
        SingleInstance first(key);
        EXPECT_FALSE(first.otherIsRunning());
        first.listen();
        // Neither the group nor the others may read or write it.
        EXPECT_EQ(QFileInfo(QString::fromStdString(path)).permissions().toInt() & 0x00FF, 0);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        SingleInstance second(key);
        ASSERT_TRUE(second.otherIsRunning());
        second.activateOther();
        EXPECT_TRUE(activations.wait(2000) || activations.count() == 1);
        // Started at the same moment, both found nobody: the later one leaves the name to
        // the first, even when it ends.
        SingleInstance(key).listen();
        EXPECT_TRUE(SingleInstance(key).otherIsRunning());
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path))) << "the name is given back";
    EXPECT_FALSE(SingleInstance(key).otherIsRunning());
    // A program that stopped answering is found without waiting for it: a socket that never
    // accepts, whose queue fills, where a connection would wait.
    int stuck = SocketAt(path, true);
    for (int i = 0; i < 64; ++i) ASSERT_TRUE(SingleInstance(key).otherIsRunning()) << i;
    ::close(stuck);
}

TEST_F(SingleInstanceTest, AnotherUsersSocketUnderTheNameIsNoRunningProgram) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t other = ::fork();
    if (other == 0) {
        bool listening = ::setuid(65534) == 0 && SocketAt(path, true) >= 0;
        (void)!::write(ready[1], listening ? "1" : "0", 1);
        ::pause();
        ::_exit(0);
    }
    char listening = '0';
    (void)!::read(ready[0], &listening, 1);
    bool found = SingleInstance(key).otherIsRunning();
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(listening, '1');
    EXPECT_FALSE(found);
}

// The widget that has the focus after pressing `key` in the focused one.
QWidget* After(QWidget* focused, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
    return QApplication::focusWidget();
}

TEST_F(ScreenTest, TabFollowsTheReadingOrderAndKeysPressButtonsAndCloseWindows) {
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.txtCote[1]->setFocus();
    for (int i = 2; i <= 9; ++i)
        EXPECT_EQ(After(main.txtCote[i - 1], Qt::Key_Tab), main.txtCote[i]) << i;
    QWidget* next = After(main.txtCote[9], Qt::Key_Tab);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(next)) << next->objectName().toStdString();
    EXPECT_EQ(After(next, Qt::Key_Backtab), main.txtCote[9]);

    // Enter on a focused button presses it: the example fills the odds.
    main.Command2->setFocus();
    QTest::keyClick(main.Command2, Qt::Key_Return);
    EXPECT_EQ(main.txtCote[2]->text(), "9/2");

    // Escape hides the secondary windows as their close box does; they keep their state.
    frmOptions& options = screens.options();
    rappJS& results = screens.results();
    frmCote& variation = screens.variation();
    for (QWidget* window : std::initializer_list<QWidget*>{&options, &results, &variation}) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
    EXPECT_TRUE(main.isVisible()); // the main window does not close on Escape
    QTest::keyClick(&main, Qt::Key_Escape);
    EXPECT_TRUE(main.isVisible());
}

// A value far too long for its place is drawn smaller, cut in the middle past a point, and
// keeps clear of the caption on its left; its text stays whole.
TEST_F(ScreenTest, LongAmountsStayClearOfTheirCaptions) {
    const QString amount = QString(40, '9') + ".00";
    for (QLabel* label :
         std::initializer_list<QLabel*>{main.Label2[1], main.Label4, main.Label19}) {
        label->setText(amount);
        QImage drawn = label->grab().toImage();
        for (int x = 0; x < 6; ++x) {
            for (int y = 0; y < drawn.height(); ++y)
                ASSERT_GT(drawn.pixelColor(x, y).lightness(), 160)
                    << label->objectName().toStdString() << " at " << x << "," << y;
        }
        EXPECT_EQ(label->text(), amount);
        EXPECT_EQ(label->toolTip(), amount);
    }
}

// Odds of five characters, as imported races have them, show whole in every odds box; short
// ones keep the box's own font.
TEST_F(ScreenTest, LongOddsShowWhole) {
    main.EnsureHiddenRows();
    for (int i : {1, 6, 9, 15, 22}) {
        QLineEdit* box = main.txtCote[i];
        const QFont base = box->font();
        box->setText("105.5");
        int room = box->contentsRect().width() - 6;
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance("105.5"), room) << i;
        box->setText("4");
        EXPECT_EQ(box->font(), base) << i;
    }
}

TEST_F(ScreenTest, TheOptionsHideNoRowWhenAllRowsShow) {
    main.cmdOptions->click();
    frmOptions& options = screens.options();
    EXPECT_FALSE(options.frameGeometry().intersects(main.frameGeometry()));
    main.cmdVoirTous->click();
    EXPECT_FALSE(options.frameGeometry().intersects(main.frameGeometry()));
}

void LeaveRunnerCount(frmJeuGagnant& main, const char* count) {
    main.txtNbrepartants->setText(count);
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(main.txtNbrepartants, &leave);
}

TEST_F(ScreenTest, TheRunnerCountFillsTheListsAndEnablesALoadedRacesRows) {
    main.EnsureHiddenRows();
    main.Combo1[3]->setText("7");
    LeaveRunnerCount(main, "32767"); // the largest: the lists refilled, their texts kept
    EXPECT_EQ(main.Combo1[22]->count(), 32767);
    EXPECT_EQ(main.Combo1[3]->text(), "7");
    LeaveRunnerCount(main, "40000"); // beyond the range: the lists stay empty
    EXPECT_EQ(main.Combo1[0]->count(), 0);
    EXPECT_EQ(main.Combo1[3]->text(), "7");

    state.race.RaceRecord.SetField(RaceField::RunnerCount, "14");
    LeaveRunnerCount(main, "14");
    EXPECT_TRUE(main.txtCote[14]->isEnabled() && !main.txtCote[15]->isEnabled());
    EXPECT_FALSE(main.Combo1[22]->isEnabled());
    state.race.RaceRecord.SetField(RaceField::RunnerCount, "5"); // five or fewer: nothing changes
    LeaveRunnerCount(main, "5");
    EXPECT_TRUE(main.txtCote[4]->isEnabled() && !main.txtCote[15]->isEnabled());
}

} // namespace
} // namespace sg
