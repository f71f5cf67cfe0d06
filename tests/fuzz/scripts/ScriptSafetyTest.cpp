// The random scripts run with the rights of whoever runs the tests: before the file dialog
// even exists, its lists must only ever be led to the script's own folder.
#include "ScriptFolder.h"
#include "ScriptGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace sg {
namespace {

// A dialog whose lists show what a real machine would: the root, parents, "..", other files.
ControlInventory DialogInventory(ControlKind fileListKind) {
    ControlInventory inventory;
    inventory.controls = {
        {"frmJeuGagnant", "", ControlKind::Window, 0, 0, 9600, 6000, {}},
        {"frmOuvrir", "", ControlKind::Window, 0, 0, 6000, 4000, {}},
        {"frmJeuGagnant", "txtCote(1)", ControlKind::TextBox, 0, 0, 900, 300, {}},
        {"frmOuvrir", "drvDrive", ControlKind::DropDown, 0, 0, 2000, 300, {"/", "/mnt"}},
        {"frmOuvrir", "dirDirectory", ControlKind::List, 0, 0, 2000, 2000, {"/", "tmp", ".."}},
        {"frmOuvrir", "filFiles", fileListKind, 0, 0, 2000, 2000, {"passwd", "shadow"}},
        {"frmOuvrir", "txtFileName", ControlKind::TextBox, 0, 0, 2000, 300, {}},
        {"frmOuvrir", "cmdOK", ControlKind::Button, 0, 0, 900, 300, {}},
    };
    for (const auto& c : inventory.controls) {
        if (!c.name.empty()) inventory.takenNames.insert(c.window + "." + c.name);
    }
    inventory.innerNames = {"qt_scrollarea_viewport"};
    inventory.sharedValues = {"RaceFilePath"};
    return inventory;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The text after the control on a line, as the runner reads it.
std::string ArgumentOf(std::istringstream& line) {
    std::string rest;
    std::getline(line, rest);
    rest.erase(0, rest.find_first_not_of(" \t"));
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ')) rest.pop_back();
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    return rest;
}

TEST(RandomScriptSafety, FileDialogListsStayInTheScriptFolder) {
    const std::string folder = "/tmp/sg-random-script-0/dossier";
    std::vector<std::string> subfolders;
    for (const auto& sub : ScriptFolderSubfolders()) {
        subfolders.push_back(sub);
        subfolders.push_back(folder + "/" + sub);
    }
    int folderSets = 0, fileClicks = 0, nameSets = 0;
    for (ControlKind fileListKind : {ControlKind::List, ControlKind::Other}) {
        ControlInventory inventory = DialogInventory(fileListKind);
        for (std::uint64_t seed = 0; seed < 400; ++seed) {
            RandomScript script = GenerateScript(seed, inventory, folder);
            std::istringstream lines(script.text);
            for (std::string text; std::getline(lines, text);) {
                std::istringstream line(text);
                std::string verb, control;
                line >> verb >> control;
                std::string argument = ArgumentOf(line);
                SCOPED_TRACE(text);
                if (control == "frmOuvrir.drvDrive") {
                    EXPECT_EQ(verb, "show");
                } else if (control == "frmOuvrir.dirDirectory") {
                    if (verb == "set") {
                        ++folderSets;
                        EXPECT_TRUE(argument == folder || Contains(subfolders, argument));
                    } else if (verb != "show") {
                        EXPECT_TRUE(verb == "click" || verb == "dblclick");
                        EXPECT_TRUE(Contains(subfolders, argument));
                    }
                } else if (control == "frmOuvrir.filFiles") {
                    if (verb != "show") {
                        ++fileClicks;
                        EXPECT_EQ(fileListKind, ControlKind::List);
                        EXPECT_TRUE(verb == "click" || verb == "dblclick");
                        EXPECT_TRUE(Contains(ScriptFolderFiles(), argument));
                    }
                } else if (control == "frmOuvrir.txtFileName" && verb == "set") {
                    ++nameSets;
                    EXPECT_EQ(argument.find_first_of("/\\"), std::string::npos);
                    EXPECT_NE(argument.rfind('.', 0), 0u);
                }
            }
        }
    }
    // The dialog is exercised, not only left alone.
    EXPECT_GT(folderSets, 20);
    EXPECT_GT(fileClicks, 20);
    EXPECT_GT(nameSets, 20);
}

} // namespace
} // namespace sg
