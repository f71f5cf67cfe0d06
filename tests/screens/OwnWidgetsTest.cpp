// The widgets the program draws itself: the number lists and the back-test's curve scale.
#include "screens/BalanceChart.h"
#include "screens/DropDownBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace sg {
namespace {

struct Numbers : ::testing::Test {
    QStringListModel model{QStringList{"1", "2", "3"}};
    DropDownBox box;
    void SetUp() override {
        box.setModel(&model);
        box.show();
    }
    static QAbstractItemView* Popup() {
        return qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
    }
};

TEST_F(Numbers, UpAndDownStepThroughTheItemsFromTheTextAndTheListOpensOnIt) {
    struct Case {
        const char* text;
        Qt::Key key;
        const char* after;
    } cases[] = {
        {"2", Qt::Key_Down, "3"}, {"3", Qt::Key_Down, "3"},  {"2", Qt::Key_Up, "1"},
        {"1", Qt::Key_Up, "1"},   {"17", Qt::Key_Down, "1"}, {"", Qt::Key_Up, "1"},
    };
    for (const Case& c : cases) {
        box.setText(c.text);
        QTest::keyClick(&box, c.key);
        EXPECT_EQ(box.text(), c.after) << c.text;
    }
    // The list opens on the text; Enter picks, Escape leaves.
    box.setText("2");
    QTest::keyClick(&box, Qt::Key_Down, Qt::AltModifier);
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->currentIndex().row(), 1);
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Return);
    EXPECT_FALSE(box.isPopupVisible());
    EXPECT_EQ(box.text(), "3");
    QTest::keyClick(&box, Qt::Key_F4);
    ASSERT_TRUE(box.isPopupVisible());
    QTest::keyClick(Popup(), Qt::Key_Up);
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_FALSE(box.isPopupVisible());
    EXPECT_EQ(box.text(), "3");
}

// Clicks go through the window, as the user's do, so that the open list receives them.
TEST_F(Numbers, TheArrowOpensAndClosesTheListAndAClickElsewhereClosesIt) {
    QPoint arrow(box.width() - 6, box.height() / 2), text(5, box.height() / 2);
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, arrow);
    EXPECT_TRUE(box.isPopupVisible());
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, arrow);
    EXPECT_FALSE(box.isPopupVisible()) << "the arrow closes the list it opened";
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, arrow);
    ASSERT_TRUE(box.isPopupVisible());
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, text);
    EXPECT_FALSE(box.isPopupVisible()) << "a click outside the list closes it";
    EXPECT_EQ(box.text(), "");

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
        {-58, 1, 7, {-60, 20, 20}}, // widened to whole tens it would need 7 intervals
        {5, 74.9, 8, {0, 80, 20}},
        {0, std::nan(""), 7, {0, 1, 1}}, // what is no number or beyond reason: plain
        {-1e300, 1e300, 7, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        AxisScale s = NiceScale(c.low, c.high, c.ticks);
        EXPECT_DOUBLE_EQ(s.first, c.expected.first) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(s.last, c.expected.last) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(s.step, c.expected.step) << c.low << " " << c.high;
    }
}

TEST(BalanceChartDrawing, ASingleRaceShowsAsADot) {
    BalanceChart chart("", "", "");
    chart.resize(300, 200);
    chart.setCurves({{"", QColor(255, 0, 0), {QPointF(1, 5)}}});
    QImage image = chart.grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height() * 3 / 4; ++y) // above the legend's swatch
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 4);
}

TEST(BalanceChartDrawing, EveryRaceNumberUnderThePlotIsWrittenInFull) {
    for (int races : {12, 999, 32767}) {
        BalanceChart chart("", "", "");
        chart.resize(420, 260);
        QList<QPointF> points;
        for (int race = 1; race <= races; race += std::max(1, races / 500))
            points.append(QPointF(race, race % 7));
        chart.setCurves({{"", QColor(255, 0, 0), points}});
        QList<QRect> texts = chart.acrossTickTextRects();
        ASSERT_GE(texts.size(), 3) << races;
        for (const QRect& text : texts)
            EXPECT_TRUE(chart.rect().contains(text)) << races << " races: " << text.left() << "+"
                                                     << text.width() << " in " << chart.width();
    }
}

} // namespace
} // namespace sg
