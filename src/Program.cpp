#include "Program.h"

#include "FirstPaint.h"

#include "app/SharedState.h"
#include "screens/QtPrompter.h"
#include "screens/Screens.h"
#include "screens/SingleInstance.h"
#include "screens/frmJeuGagnant.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

#include <cstdlib>
#include <optional>

namespace {

char UserDecimalSeparator() {
    QString point = QLocale::system().decimalPoint();
    return point == "," ? ',' : '.';
}

QString InstanceKey() {
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME", "user"));
    return "SimpleGagnant-" + user;
}

// Read as PNG without guessing: a guess would load every image plugin to ask it.
QIcon ProgramIcon() {
    QImageReader reader(":/simple-gagnant-48.png", "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace

namespace sg {

int RunProgram(int argc, char* argv[], Startup startup) {
    QApplication app(argc, argv);
    // The program speaks French whatever the desktop's language, and so do Qt's own buttons
    // and menus.
    QTranslator qtFrench;
    if (qtFrench.load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtFrench);
    }
    QApplication::setApplicationName(sg::Messages::ApplicationTitle);
    QApplication::setApplicationDisplayName(sg::Messages::ApplicationTitle);
    QApplication::setDesktopFileName("simple-gagnant");
    QApplication::setWindowIcon(ProgramIcon());

    sg::QtPrompter qtPrompter;
    sg::Prompter& prompter = qtPrompter;
    sg::QtShell shell;
    sg::SingleInstance instance(InstanceKey());
    if (instance.otherIsRunning()) {
        prompter.message(std::string(sg::Messages::ApplicationTitle) +
                         sg::Messages::AlreadyRunning);
        prompter.beep();
        instance.activateOther();
        return 0;
    }
    instance.listen();

    sg::SharedState state;
    state.settings.DecimalSeparator = UserDecimalSeparator();
    state.journal.folder = sg::UserJournalFolder();
    sg::Screens screens(state, prompter, shell, QCoreApplication::applicationDirPath());
    sg::frmJeuGagnant& main = screens.main();
    QObject::connect(&instance, &sg::SingleInstance::activationRequested, &main, [&main] {
        main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
        main.showNormal();
        main.raise();
        main.activateWindow();
    });
    std::optional<QuitAfterFirstPaint> quitWhenShown;
    if (startup == Startup::QuitWhenShown) quitWhenShown.emplace(&main);
    main.show();
    return app.exec();
}

} // namespace sg
