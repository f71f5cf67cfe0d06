// The widgets the program draws itself: the number lists and the back-test's curve scale.
#include "screens/BalanceChart.h"
#include "screens/DropDownBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

namespace sg {
namespace {

struct Numbers : ::testing::Test {
    QStringListModel model{QStringList{"1", "2", "3"}};
    DropDownBox box;
    void SetUp() override {
        box.setModel(&model);
        box.show();
    }
    QAbstractItemView* Popup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->isVisible())
                return view;
        return nullptr;
    }
};

TEST_F(Numbers, UpAndDownStepThroughTheItemsFromTheText) {
    struct Case {
        const char* text;
        Qt::Key key;
        const char* after;
    } cases[] = {
        {"2", Qt::Key_Down, "3"}, {"3", Qt::Key_Down, "3"},  {"2", Qt::Key_Up, "1"},
        {"1", Qt::Key_Up, "1"},   {"17", Qt::Key_Down, "1"}, {"", Qt::Key_Up, "1"},
    };
    for (const Case& c : cases) {
        box.setEditText(c.text);
        QTest::keyClick(&box, c.key);
        EXPECT_EQ(box.currentText(), c.after) << c.text;
    }
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(2), "3");
}

TEST_F(Numbers, TheListOpensOnTheTextAndEnterPicksEscapeLeaves) {
    box.setEditText("2");
    QTest::keyClick(&box, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* popup = Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->currentIndex().row(), 1);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(box.isPopupVisible());
    EXPECT_EQ(box.currentText(), "3");

    QTest::keyClick(&box, Qt::Key_F4);
    ASSERT_TRUE(box.isPopupVisible());
    QTest::keyClick(Popup(), Qt::Key_Up);
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_FALSE(box.isPopupVisible());
    EXPECT_EQ(box.currentText(), "3");
}

TEST_F(Numbers, TheArrowOpensTheListAndAnEmptyListStaysShut) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 6, box.height() / 2));
    EXPECT_TRUE(box.isPopupVisible());
    box.hidePopup();
    model.setStringList({});
    QTest::keyClick(&box, Qt::Key_F4);
    EXPECT_FALSE(box.isPopupVisible());
}

TEST(BalanceChartScale, RoundStepsThatCoverTheRange) {
    struct Case {
        double low, high;
        int ticks;
        AxisScale expected;
    } cases[] = {
        {0, 1, 7, {0, 1, 1}}, // whole numbers: never a step under 1
        {1, 40, 8, {0, 40, 10}},
        {-1234, 567, 7, {-1500, 1000, 500}},
        {0, 32767, 8, {0, 35000, 5000}},
        {5, 5, 7, {5, 6, 1}},       // a flat range is given a width
        {10, -10, 7, {-10, 10, 5}}, // the ends in any order
    };
    for (const Case& c : cases) {
        AxisScale s = NiceScale(c.low, c.high, c.ticks);
        EXPECT_DOUBLE_EQ(s.first, c.expected.first) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(s.last, c.expected.last) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(s.step, c.expected.step) << c.low << " " << c.high;
    }
}

} // namespace
} // namespace sg
