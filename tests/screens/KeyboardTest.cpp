// The windows without a mouse: where the focus is seen, the races reached from the navigation
// picture and the window's keys, the file dialog's lists.
#include "ScreenFixture.h"

#include "screens/Controls.h"

#include <QScrollBar>
#include <QTest>

#include <set>

namespace sg {
namespace {

TEST_F(ScreenTest, TheFocusStartsOnTheFirstOddsAndShowsOnEveryTabStop) {
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(QApplication::focusWidget(), main.txtCote[1]);
    main.setAttribute(Qt::WA_KeyboardFocusChange); // as after a Tab: focus frames are drawn
    std::set<QWidget*> stops;
    for (QWidget* w = main.txtCote[1]->nextInFocusChain(); w != main.txtCote[1];
         w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&main) || !w->isEnabled())
            continue;
        stops.insert(w);
        w->setFocus(Qt::TabFocusReason);
        QImage focused = w->grab().toImage();
        main.txtCote[1]->setFocus(Qt::TabFocusReason);
        EXPECT_NE(w->grab().toImage(), focused) << w->objectName().toStdString();
    }
    // The pickers, the profit's scroll bar and the navigation picture among them.
    for (QWidget* stop : std::initializer_list<QWidget*>{main.imgCourses, main.HScroll2[1],
                                                         main.HScroll2[9], main.HScroll1})
        EXPECT_TRUE(stops.count(stop)) << stop->objectName().toStdString();
}

TEST_F(ScreenTest, TheRacesAreReachedFromTheKeyboard) {
    WorkFolder folder;
    OpenDemoIn(folder);
    QWidget* picture = main.imgCourses;
    struct Case {
        QWidget* focused;
        Qt::Key key;
        int race; // reached; the number keys are answered this number
    } cases[] = {
        {picture, Qt::Key_Right, 2},
        {picture, Qt::Key_Left, 1},
        {picture, Qt::Key_End, 40},
        {picture, Qt::Key_Home, 1},
        {picture, Qt::Key_N, 7},
        {picture, Qt::Key_Return, 12},
        {picture, Qt::Key_A, 12},
        {main.txtCote[1], Qt::Key_PageUp, 11},
        {main.Command1, Qt::Key_PageDown, 12},
        {main.HScroll1, Qt::Key_PageUp, 12}, // a scroll bar keeps its own page keys
    };
    for (const auto& c : cases) {
        if (c.key == Qt::Key_N || c.key == Qt::Key_Return)
            prompter.queueAnswer(std::to_string(c.race));
        QTest::keyClick(c.focused, c.key);
        EXPECT_EQ(state.race.CurrentRace, c.race) << QTest::toString(c.key);
    }
}

TEST_F(ScreenTest, TheFileDialogsListsAnswerTheKeyboard) {
    WorkFolder folder;
    for (const char* name : {"a.tur", "b.tur"}) std::ofstream(folder.path / name).flush();
    fs::create_directory(folder.path / "sub");
    screens.options().cmdOuvrir->click();
    frmOuvrir* dialog = screens.pendingFileDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->dirDirectory->setPath(QString::fromStdString(folder.path.string()));

    // The arrows name the file they reach, as a click does.
    for (auto [key, name] :
         {std::pair{Qt::Key_Down, "a.tur"}, {Qt::Key_Down, "b.tur"}, {Qt::Key_Up, "a.tur"}}) {
        QTest::keyClick(dialog->filFiles, key);
        EXPECT_EQ(dialog->txtFileName->text(), name) << QTest::toString(key);
    }
    // Enter goes into a folder, the dialog staying, and opens a file.
    dialog->dirDirectory->setCurrentRow(1); // "sub", after ".."
    QTest::keyClick(dialog->dirDirectory, Qt::Key_Return);
    EXPECT_TRUE(dialog->dirDirectory->path().endsWith("/sub"));
    dialog->dirDirectory->setCurrentRow(0);
    QTest::keyClick(dialog->dirDirectory, Qt::Key_Return);
    dialog->filFiles->setCurrentRow(1);
    QTest::keyClick(dialog->filFiles, Qt::Key_Return);
    EXPECT_EQ(state.race.RaceFilePath(), folder.File("b.tur"));
}

} // namespace
} // namespace sg
