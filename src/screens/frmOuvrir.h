// The file dialog: a drive, a folder and a .tur file chosen, or a new file name typed. It
// exists only while a choice is pending and never blocks: the choice is reported by choiceMade.
#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace sg {

class Screens;
class FileList;
class FolderList;

class frmOuvrir : public QDialog {
    Q_OBJECT
  public:
    // `demoFile` is the demonstration race file shipped with the program, empty when none.
    frmOuvrir(Screens& screens, const QString& startFolder, const QString& demoFile);

    void drvDrive_Change();
    void dirDirectory_Change();
    void filFiles_Click(QListWidgetItem* item);
    void filFiles_DblClick(QListWidgetItem* item);
    void txtFileName_Change();
    void cmdOK_Click();
    void Command1_Click();
    void cmdDemo_Click(); // the demonstration file, for reading only

    bool IsPending() const { return pending_; }

    QComboBox* drvDrive = nullptr;
    FolderList* dirDirectory = nullptr;
    FileList* filFiles = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtFileName = nullptr;
    QLabel* lblDirName = nullptr;
    std::array<QLabel*, 2> Label4{};
    QPushButton* cmdOK = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdDemo = nullptr;

  signals:
    void choiceMade(); // FileDialogStatus now says "ok" or "cancel"

  protected:
    void closeEvent(QCloseEvent* event) override; // the close box abandons the choice
    void reject() override;                       // and so does Escape

  private:
    void Form_Load(const QString& startFolder);
    void Finish(const char* status);
    void ShowDriveOf(const QString& folder);

    Screens& screens_;
    QString demoFile_;
    bool pending_ = true;
};

} // namespace sg
