// The folder list of the file dialog: the parent folder ("..") and the subfolders of the current
// folder. A double click or Enter moves into the folder; setting a path moves there.
#pragma once

#include <QListWidget>

namespace sg {

class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent);

    QString path() const { return path_; }
    // Moves to the folder (absolute or relative to the working folder); false, with nothing
    // changed, when it is no folder that can be listed.
    bool setPath(const QString& path);

  signals:
    void pathChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString path_;
};

// The file list of the file dialog: the arrow keys name the file they reach, as a click does,
// and Enter opens it, as a double click does.
class FileList : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

  signals:
    void itemReached(QListWidgetItem* item); // by the keyboard
    void itemEntered(QListWidgetItem* item); // Enter pressed on it

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The files of a folder whose names end in ".tur" in any case, sorted by name.
QStringList RaceFilesIn(const QString& folder);

// The roots of the mounted storage volumes, "/" first; pseudo file systems are left out.
QStringList StorageRoots();

// The root among `roots` that holds the folder (the longest that starts its path).
QString RootOf(const QString& folder, const QStringList& roots);

} // namespace sg
