#include "ScreenFixture.h"

#include "screens/frmCote.h"
#include "screens/frmOptions.h"
#include "screens/rappJS.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace sg {
namespace {

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

} // namespace
} // namespace sg
