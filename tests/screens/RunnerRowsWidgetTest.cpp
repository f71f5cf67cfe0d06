#include "ScreenFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>

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

} // namespace
} // namespace sg
