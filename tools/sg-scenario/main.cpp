// sg-scenario [--dir FOLDER] [--decimal-separator C] SCRIPT
#include "ScenarioRunner.h"

#include "numbers/Numbers.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

int main(int argc, char* argv[]) {
    std::string folder, scriptPath;
    char separator = '.';
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--dir" && i + 1 < argc) {
            folder = argv[++i];
        } else if (arg == "--decimal-separator" && i + 1 < argc) {
            std::string value = argv[++i];
            if (value != "." && value != ",") {
                std::cerr << "sg-scenario: --decimal-separator is . or ,\n";
                return 1;
            }
            separator = value[0];
        } else if (scriptPath.empty()) {
            scriptPath = arg;
        } else {
            std::cerr << "usage: sg-scenario [--dir FOLDER] [--decimal-separator C] SCRIPT\n";
            return 1;
        }
    }
    if (scriptPath.empty()) {
        std::cerr << "usage: sg-scenario [--dir FOLDER] [--decimal-separator C] SCRIPT\n";
        return 1;
    }
    std::error_code ignored;
    std::ifstream script;
    if (!std::filesystem::is_directory(scriptPath, ignored)) script.open(scriptPath);
    if (!script.is_open()) {
        std::cerr << "sg-scenario: cannot read " << sg::VisibleControls(scriptPath) << "\n";
        return 1;
    }

    // Qt's own notes (a missing runtime folder, say) are nothing a user of the program sees;
    // standard error carries only the runner's lines.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::unique_ptr<QTemporaryDir> temporary;
    if (folder.empty()) {
        temporary = std::make_unique<QTemporaryDir>();
        if (!temporary->isValid()) {
            std::cerr << "sg-scenario: cannot make a temporary folder\n";
            return 1;
        }
        folder = temporary->path().toStdString();
    }
    QDir dir(QString::fromStdString(folder));
    if (!dir.exists() || !QDir::setCurrent(dir.absolutePath())) {
        std::cerr << "sg-scenario: no such folder " << sg::VisibleControls(folder) << "\n";
        return 1;
    }
    folder = dir.absolutePath().toStdString();
    // The journal of bets is written inside the folder, hidden from the file dialog's list.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder + "/.local/share"));

    sg::ScenarioRunner runner(separator, folder, [](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });
    std::string error;
    int status = runner.run(script, error);
    if (status == 2) std::cerr << "error: " << error << "\n";
    return status;
}
