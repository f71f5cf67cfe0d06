// The windows without a mouse: where the focus is seen, the races reached from the navigation
// picture and the window's keys, the file dialog's lists.
#include "ScreenFixture.h"
#include "WorkFolder.h"

#include "screens/Controls.h"
#include "screens/FolderList.h"

#include <QScrollBar>
#include <QTest>

#include <set>

namespace sg {
namespace {

fs::path BuiltDemoFile() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "demo.tur";
}

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
    fs::copy_file(BuiltDemoFile(), folder.path / "demo.tur");
    OpenThroughTheDialog(folder.path.string(), "demo.tur");
    struct Case {
        QWidget* focused;
        Qt::Key key;
        const char* answer; // to "Quel numéro de course?"
        int race;
    } cases[] = {
        {main.imgCourses, Qt::Key_Right, nullptr, 2},
        {main.imgCourses, Qt::Key_Right, nullptr, 3},
        {main.imgCourses, Qt::Key_Left, nullptr, 2},
        {main.imgCourses, Qt::Key_End, nullptr, 40},
        {main.imgCourses, Qt::Key_Home, nullptr, 1},
        {main.imgCourses, Qt::Key_N, "7", 7},
        {main.imgCourses, Qt::Key_Return, "12", 12},
        {main.txtCote[1], Qt::Key_PageDown, nullptr, 13},
        {main.Command1, Qt::Key_PageUp, nullptr, 12},
        {main.imgCourses, Qt::Key_PageUp, nullptr, 11},
        {main.HScroll1, Qt::Key_PageUp, nullptr, 11}, // a scroll bar keeps its own page keys
        {main.imgCourses, Qt::Key_A, nullptr, 11},
    };
    for (const auto& c : cases) {
        if (c.answer) prompter.queueAnswer(c.answer);
        QTest::keyClick(c.focused, c.key);
        EXPECT_EQ(state.race.CurrentRace, c.race)
            << c.focused->objectName().toStdString() << " " << QTest::toString(c.key);
        EXPECT_EQ(main.lblCourse->text(), QString("Course actuelle:  %1").arg(c.race));
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
    struct Case {
        Qt::Key key;
        const char* name;
    } cases[] = {{Qt::Key_Down, "a.tur"},
                 {Qt::Key_Down, "b.tur"},
                 {Qt::Key_Up, "a.tur"},
                 {Qt::Key_End, "b.tur"}};
    for (const auto& c : cases) {
        QTest::keyClick(dialog->filFiles, c.key);
        EXPECT_EQ(dialog->txtFileName->text(), c.name) << QTest::toString(c.key);
    }
    // Enter on a folder goes into it, the dialog stays.
    dialog->dirDirectory->setCurrentItem(
        dialog->dirDirectory->findItems("sub", Qt::MatchExactly)[0]);
    QTest::keyClick(dialog->dirDirectory, Qt::Key_Return);
    EXPECT_EQ(dialog->dirDirectory->path().toStdString(), (folder.path / "sub").string());
    EXPECT_EQ(screens.pendingFileDialog(), dialog);
    EXPECT_TRUE(lines.empty());
    // Enter on a file opens it.
    dialog->dirDirectory->setPath(QString::fromStdString(folder.path.string()));
    dialog->filFiles->setCurrentRow(1);
    QTest::keyClick(dialog->filFiles, Qt::Key_Return);
    EXPECT_EQ(screens.pendingFileDialog(), nullptr);
    EXPECT_EQ(state.race.RaceFilePath(), folder.File("b.tur"));
}

} // namespace
} // namespace sg
