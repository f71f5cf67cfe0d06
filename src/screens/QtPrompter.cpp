#include "screens/QtPrompter.h"

#include "screens/HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace sg {

namespace {
QString Title(const std::string& title) {
    return QString::fromStdString(title.empty() ? Messages::ApplicationTitle : title);
}
} // namespace

void QtPrompter::message(const std::string& text, const std::string& title, Icon icon) {
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    Title(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtPrompter::question(const std::string& text, const std::string& title) {
    return QMessageBox::question(QApplication::activeWindow(), Title(title),
                                 QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtPrompter::input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
    bool ok = false;
    QString answer = QInputDialog::getText(QApplication::activeWindow(), Title(title),
                                           QString::fromStdString(prompt), QLineEdit::Normal,
                                           QString::fromStdString(defaultText), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
}

void QtPrompter::beep() {
    QApplication::beep();
}

void QtShell::openHelp(const std::string& fileName) {
    // The help documents are resources of the program.
    QString path = ":/help/" + QString::fromStdString(fileName);
    if (!help_) help_ = new HelpViewer();
    help_->showFile(path);
}

void QtShell::quit() {
    // exit, not quit: quit would first ask every window to close, and the main window's close
    // asks the user, which "Fermer" must not.
    QCoreApplication::exit(0);
}

} // namespace sg
