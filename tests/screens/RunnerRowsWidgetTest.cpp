#include "ScreenFixture.h"

#include "screens/frmOptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace sg {
namespace {

void LeaveRunnerCount(frmJeuGagnant& main, const char* count) {
    main.txtNbrepartants->setText(count);
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(main.txtNbrepartants, &leave);
}

TEST_F(ScreenTest, TheLargestRunnerCountRefillsTheListsAndKeepsTheirTexts) {
    main.EnsureHiddenRows();
    main.Combo1[3]->setEditText("7");
    LeaveRunnerCount(main, "32767");
    EXPECT_EQ(main.Combo1[22]->count(), 32767);
    EXPECT_EQ(main.Combo1[3]->currentText(), "7");
    LeaveRunnerCount(main, "40000"); // beyond the range: the lists stay empty
    EXPECT_EQ(main.Combo1[0]->count(), 0);
    EXPECT_EQ(main.Combo1[3]->currentText(), "7");
}

TEST_F(ScreenTest, ALoadedRacesRunnerCountEnablesItsRows) {
    state.race.RaceRecord.SetField(RaceField::RunnerCount, "14");
    LeaveRunnerCount(main, "14");
    EXPECT_TRUE(main.txtCote[14]->isEnabled());
    EXPECT_FALSE(main.txtCote[15]->isEnabled());
    EXPECT_FALSE(main.Combo1[22]->isEnabled());
    state.race.RaceRecord.SetField(RaceField::RunnerCount, "5"); // five or fewer: nothing changes
    LeaveRunnerCount(main, "5");
    EXPECT_FALSE(main.txtCote[15]->isEnabled());
    EXPECT_TRUE(main.txtCote[4]->isEnabled());
}

TEST_F(ScreenTest, TheOptionsWindowIsMadeOnceAndItsCloseBoxOnlyHidesIt) {
    QTest::mouseClick(main.cmdOptions, Qt::LeftButton);
    frmOptions& options = screens.options();
    EXPECT_TRUE(options.isVisible());
    QTest::mouseClick(options.OptionPMHouPMU[1], Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_EQ(state.settings.OddsKind, OddsSet::PMU);
    EXPECT_FALSE(options.close());
    EXPECT_FALSE(options.isVisible());
    QTest::mouseClick(main.cmdOptions, Qt::LeftButton);
    EXPECT_EQ(&screens.options(), &options);
    EXPECT_TRUE(options.OptionPMHouPMU[1]->isChecked());
}

} // namespace
} // namespace sg
