#include "screens/FolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>

#include <algorithm>

namespace sg {

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(QDir(path_).filePath(item->text())); });
}

// Enter goes into the folder rather than pressing the dialog's default button.
void FolderList::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem()) {
        setPath(QDir(path_).filePath(currentItem()->text()));
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileList::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem()) {
        event->accept();
        emit itemEntered(currentItem());
        return;
    }
    QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    static const int moves[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    bool moved = std::find(std::begin(moves), std::end(moves), event->key()) != std::end(moves);
    if (currentItem() && (moved || currentItem() != before)) emit itemReached(currentItem());
}

bool FolderList::setPath(const QString& path) {
    QFileInfo folder(path);
    if (!folder.isDir() || !folder.isReadable()) return false;
    QString absolute = QDir::cleanPath(folder.absoluteFilePath());
    QStringList names =
        QDir(absolute).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    if (!QDir(absolute).isRoot()) names.prepend("..");
    path_ = absolute;
    clear();
    addItems(names);
    emit pathChanged();
    return true;
}

QStringList RaceFilesIn(const QString& folder) {
    QDir dir(folder);
    dir.setNameFilters({"*.tur"});
    dir.setFilter(QDir::Files); // without QDir::CaseSensitive: "COURSES.TUR" is listed too
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QStringList StorageRoots() {
    static const QStringList pseudo = {
        "proc",    "sysfs",   "devtmpfs",    "devpts",    "cgroup",     "cgroup2", "securityfs",
        "debugfs", "tracefs", "mqueue",      "hugetlbfs", "bpf",        "pstore",  "configfs",
        "fusectl", "autofs",  "binfmt_misc", "nsfs",      "rpc_pipefs", "efivarfs"};
    QStringList roots{"/"};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || roots.contains(root)) continue;
        if (pseudo.contains(QString::fromLatin1(volume.fileSystemType()))) continue;
        roots << root;
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

QString RootOf(const QString& folder, const QStringList& roots) {
    QString best = "/";
    for (const QString& root : roots) {
        bool holds = folder == root || folder.startsWith(root.endsWith('/') ? root : root + '/');
        if (holds && root.size() > best.size()) best = root;
    }
    return best;
}

} // namespace sg
