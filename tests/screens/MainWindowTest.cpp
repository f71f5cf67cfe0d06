#include "ScreenFixture.h"

#include "screens/Controls.h"
#include "screens/HelpViewer.h"
#include "screens/QtPrompter.h"
#include "screens/SingleInstance.h"

#include <QCloseEvent>
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

TEST_F(ScreenTest, TypedKeysAreConvertedAtEveryChange) {
    QTest::keyClicks(main.txtCote[1], "4,");
    EXPECT_EQ(main.txtCote[1]->text(), "4.");
    EXPECT_EQ(state.calc.OddsTable[1], 4.0f);
    QTest::keyClicks(main.txtCote[1], "5");
    EXPECT_EQ(state.calc.OddsTable[1], 4.5f);
    EXPECT_FALSE(main.HScroll2[1]->isVisibleTo(&main));
}

TEST_F(ScreenTest, APastedTextOfThousandsOfCommasIsCorrectedInOneChange) {
    main.EnsureHiddenRows();
    struct Case {
        int box;
        QString pasted, shown;
        float stored; // in OddsTable for boxes 1..9
    } cases[] = {
        {1, QString(10000, ','), QString(10000, '.'), 0.0f},
        {1, QString("1,").repeated(8000), QString("1.").repeated(8000), 1.1f},
        {15, QString(10000, ','), QString(10000, '.'), 0.0f},
    };
    for (const auto& c : cases) {
        main.txtCote[c.box]->setText(c.pasted);
        EXPECT_EQ(main.txtCote[c.box]->text(), c.shown) << c.box;
        if (c.box <= 9) {
            EXPECT_EQ(state.calc.OddsTable[c.box], c.stored);
        }
    }
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

TEST_F(ScreenTest, ThePickerRefusesOddsBeyondItsRangeInsteadOfClamping) {
    main.txtCote[1]->setText("5");
    main.txtCote[1]->setText("150");
    EXPECT_EQ(main.HScroll2[1]->value(), 5);
    EXPECT_EQ(state.calc.OddsTable[1], 150.0f);
    EXPECT_FALSE(SetScrollValue(main.HScroll1, 0));
    EXPECT_EQ(main.HScroll1->value(), 1);
}

TEST_F(ScreenTest, TheOffsetIsAppliedOncePerChange) {
    state.settings.OddsOffset = -1;
    main.txtCote[1]->setText("05"); // the picker rewrites it as 5: still one offset
    EXPECT_EQ(main.txtCote[1]->text(), "5");
    EXPECT_EQ(state.calc.OddsTable[1], 4.0f);
    main.txtCote[1]->setText("5"); // the same text again is no change
    EXPECT_EQ(state.calc.OddsTable[1], 4.0f);
    main.txtCote[1]->setText("15e-1"); // 1.5 read, picker 2 writes "2"
    EXPECT_EQ(main.txtCote[1]->text(), "2");
    EXPECT_EQ(state.calc.OddsTable[1], 1.0f);
}

TEST_F(ScreenTest, WritingTheProfitRunsItsChangeRule) {
    main.Label4->setText("-3.00 Euros");
    EXPECT_TRUE(main.lblDansleRouge->isVisibleTo(&main));
    EXPECT_EQ(state.calc.LowProfitFlag, 1);
    main.Label4->setText("40.00 Euros");
    EXPECT_FALSE(main.lblDansleRouge->isVisibleTo(&main));
    EXPECT_EQ(state.calc.LowProfitFlag, 1);
}

TEST_F(ScreenTest, TheWindowIs9600TwipsWideAndTheHelpOpensOnAClick) {
    EXPECT_EQ(Twips(main.width()), 9600);
    QTest::mouseClick(main.Image1, Qt::LeftButton);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "help: VARLO.HLP");
}

TEST_F(ScreenTest, AnsweringNoToTheCloseQuestionKeepsTheWindow) {
    main.txtCote[3]->setText("7");
    prompter.queueAnswer("no");
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.txtCote[3]->text(), "7");
    EXPECT_FALSE(prompter.ended());
    prompter.queueAnswer("yes");
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(prompter.ended());
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
        if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible()) {
            help = viewer;
        }
    }
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->documentTitle(), "Aide de Simple Gagnant");
    EXPECT_TRUE(help->toPlainText().contains("Inscrire les cotes"));
    help->close();
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
