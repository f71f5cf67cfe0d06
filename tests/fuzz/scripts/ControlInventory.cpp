#include "ControlInventory.h"

#include "app/SharedState.h"
#include "screens/Controls.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

namespace sg {

namespace {

ControlKind KindOf(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w)) return ControlKind::TextBox;
    if (qobject_cast<QComboBox*>(w)) return ControlKind::DropDown;
    if (qobject_cast<QScrollBar*>(w)) return ControlKind::ScrollBar;
    if (qobject_cast<QCheckBox*>(w)) return ControlKind::CheckBox;
    if (qobject_cast<QRadioButton*>(w)) return ControlKind::OptionButton;
    if (qobject_cast<QAbstractButton*>(w)) return ControlKind::Button;
    if (qobject_cast<QListWidget*>(w)) return ControlKind::List;
    if (qobject_cast<QLabel*>(w)) return ControlKind::Label;
    if (qobject_cast<PictureBox*>(w)) return ControlKind::Picture;
    return ControlKind::Other;
}

std::vector<std::string> ItemsOf(QWidget* w) {
    std::vector<std::string> items;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i) items.push_back(S(c->itemText(i)));
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < l->count(); ++i) items.push_back(S(l->item(i)->text()));
    }
    return items;
}

// Shared values a script may ask for; those the program does not keep are left out.
const char* const SharedValueNames[] = {
    "TargetProfit",    "PlayedHorseCount", "ComputedProfit", "StakeTotal",
    "StakeTotalWhole", "LowProfitFlag",    "OddsOffset",     "OddsKind",
    "CurrentRace",     "RaceFilePath",     "WorkingTarget",  "ShowArrivalOnRaceChange",
};

} // namespace

ControlInventory ReadControlInventory() {
    SharedState state;
    RecordingPrompter prompter([](const std::string&) {});
    Screens screens(state, prompter, prompter, QDir::currentPath());
    screens.main().show();

    ControlInventory inventory;
    std::vector<ControlInfo> controls;
    for (const auto& window : Screens::WindowNames()) {
        QWidget* form = screens.window(window);
        if (!form) continue;
        inventory.controls.push_back({window,
                                      "",
                                      ControlKind::Window,
                                      0,
                                      0,
                                      Twips(form->width()),
                                      Twips(form->height()),
                                      {}});
        for (QWidget* w : form->findChildren<QWidget*>()) {
            std::string name = S(w->objectName());
            if (name.empty()) continue;
            inventory.takenNames.insert(window + "." + name);
            if (name.rfind("qt_", 0) == 0) {
                inventory.innerNames.push_back(name);
                continue;
            }
            ControlInfo control{
                window, name, KindOf(w), 0, 0, Twips(w->width()), Twips(w->height()), ItemsOf(w)};
            if (auto* bar = qobject_cast<QScrollBar*>(w)) {
                control.minimum = bar->minimum();
                control.maximum = bar->maximum();
            }
            controls.push_back(std::move(control));
        }
    }
    inventory.controls.insert(inventory.controls.end(), controls.begin(), controls.end());
    if (inventory.innerNames.empty()) inventory.innerNames.push_back("qt_scrollarea_viewport");
    for (int i = 0; i < 10; ++i) {
        std::string name = "OddsTable(" + std::to_string(i) + ")";
        if (DescribeSharedValue(state, name)) inventory.sharedValues.push_back(name);
    }
    for (const char* name : SharedValueNames) {
        if (DescribeSharedValue(state, name)) inventory.sharedValues.push_back(name);
    }
    return inventory;
}

} // namespace sg
