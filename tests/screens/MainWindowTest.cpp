#include "ScreenFixture.h"

#include "screens/HelpViewer.h"
#include "screens/QtPrompter.h"
#include "screens/SingleInstance.h"

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUuid>

namespace sg {
namespace {

TEST_F(ScreenTest, TypedKeysAreConvertedAtEveryChangeAndAPasteInOneChange) {
    QTest::keyClicks(main.txtCote[1], "4,");
    EXPECT_EQ(main.txtCote[1]->text(), "4.");
    EXPECT_EQ(state.calc.OddsTable[1], 4.0f);
    QTest::keyClicks(main.txtCote[1], "5");
    EXPECT_EQ(state.calc.OddsTable[1], 4.5f);
    EXPECT_FALSE(main.HScroll2[1]->isVisibleTo(&main));

    // Thousands of commas pasted, in a bet's box or a runner row's, are corrected at once.
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

TEST(SingleInstance, ALaterStartFindsTheFirstAndAsksItToComeForward) {
    QString key = "sg-test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    EXPECT_FALSE(first.otherIsRunning());
    first.listen();
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    SingleInstance second(key);
    ASSERT_TRUE(second.otherIsRunning());
    second.activateOther();
    EXPECT_TRUE(activations.wait(2000) || activations.count() == 1);
}

} // namespace
} // namespace sg
