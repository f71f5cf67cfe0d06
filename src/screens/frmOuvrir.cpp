#include "screens/frmOuvrir.h"

#include "app/Messages.h"
#include "racefile/RaceSession.h"
#include "screens/Controls.h"
#include "screens/FolderList.h"
#include "screens/Screens.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace sg {

frmOuvrir::frmOuvrir(Screens& screens, const QString& startFolder, const QString& demoFile)
    : QDialog(nullptr), screens_(screens), demoFile_(demoFile) {
    setObjectName("frmOuvrir");
    setWindowTitle(Messages::DialogCaption);
    setFixedSize(520, 370);

    Label4[0] = Make<QLabel>(this, "Label4(0)", {12, 8, 496, 34});
    Label4[0]->setWordWrap(true);
    Label1 = Make<QLabel>(this, "Label1", {12, 50, 60, 24});
    Label1->setText("Fichier:");
    txtFileName = Make<QLineEdit>(this, "txtFileName", {72, 50, 180, 24});
    Label4[1] = Make<QLabel>(this, "Label4(1)", {12, 76, 240, 34});
    Label4[1]->setText(Messages::DialogNameHint);
    Label4[1]->setWordWrap(true);
    QFont small = Label4[1]->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Label4[1]->setFont(small);
    filFiles = Make<FileList>(this, "filFiles", {12, 114, 240, 172});

    drvDrive = Make<QComboBox>(this, "drvDrive", {268, 50, 240, 24});
    dirDirectory = Make<FolderList>(this, "dirDirectory", {268, 82, 240, 204});

    lblDirName = Make<QLabel>(this, "lblDirName", {12, 292, 496, 36});
    lblDirName->setText(Messages::DialogStart);
    lblDirName->setWordWrap(true);
    lblDirName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdOK = Make<QPushButton>(this, "cmdOK", {308, 334, 96, 28});
    cmdOK->setText("OK");
    cmdOK->setDefault(true);
    Command1 = Make<QPushButton>(this, "Command1", {412, 334, 96, 28});
    Command1->setText("Annuler");
    cmdDemo = Make<QPushButton>(this, "cmdDemo", Messages::DemoButton, {12, 334, 200, 28});
    cmdDemo->setEnabled(!demoFile_.isEmpty());
    cmdDemo->setToolTip(demoFile_.isEmpty() ? Messages::NoDemoFile : Messages::DemoButtonHint);

    connect(drvDrive, &QComboBox::currentIndexChanged, this, [this] { drvDrive_Change(); });
    connect(dirDirectory, &FolderList::pathChanged, this, [this] { dirDirectory_Change(); });
    connect(filFiles, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { filFiles_Click(item); });
    connect(filFiles, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { filFiles_DblClick(item); });
    connect(filFiles, &FileList::itemReached, this,
            [this](QListWidgetItem* item) { filFiles_Click(item); });
    connect(filFiles, &FileList::itemEntered, this,
            [this](QListWidgetItem* item) { filFiles_DblClick(item); });
    connect(txtFileName, &QLineEdit::textChanged, this, [this] { txtFileName_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdDemo, &QPushButton::clicked, this, [this] { cmdDemo_Click(); });
    SetTabChain({txtFileName, filFiles, drvDrive, dirDirectory, cmdDemo, cmdOK, Command1});
    Form_Load(startFolder);
}

void frmOuvrir::Form_Load(const QString& startFolder) {
    Label4[0]->setText(Messages::DialogHint);
    {
        QSignalBlocker quiet(drvDrive);
        drvDrive->addItems(StorageRoots());
    }
    if (!dirDirectory->setPath(startFolder)) dirDirectory->setPath(QDir::currentPath());
}

void frmOuvrir::ShowDriveOf(const QString& folder) {
    QSignalBlocker quiet(drvDrive);
    QStringList roots;
    for (int i = 0; i < drvDrive->count(); ++i) roots << drvDrive->itemText(i);
    drvDrive->setCurrentText(RootOf(folder, roots));
}

void frmOuvrir::drvDrive_Change() {
    QString drive = drvDrive->currentText();
    if (!dirDirectory->setPath(drive)) {
        screens_.prompter.message(Messages::DriveError, Messages::DriveErrorTitle,
                                  Prompter::Icon::Exclamation);
        ShowDriveOf(dirDirectory->path());
    }
}

void frmOuvrir::dirDirectory_Change() {
    filFiles->clear();
    filFiles->addItems(RaceFilesIn(dirDirectory->path()));
    lblDirName->setText(dirDirectory->path());
    ShowDriveOf(dirDirectory->path());
}

void frmOuvrir::filFiles_Click(QListWidgetItem* item) {
    txtFileName->setText(item->text());
}

void frmOuvrir::filFiles_DblClick(QListWidgetItem* item) {
    filFiles_Click(item);
    cmdOK_Click();
}

void frmOuvrir::txtFileName_Change() {
    std::string path = ChosenPathOf(S(dirDirectory->path()), S(txtFileName->text()));
    screens_.state.race.ChosenFilePath = path;
    lblDirName->setText(Q(path));
}

void frmOuvrir::cmdOK_Click() {
    if (S(txtFileName->text()).find_first_not_of(' ') == std::string::npos) {
        screens_.prompter.message(Messages::ChooseAFile);
        return;
    }
    const std::string& path = screens_.state.race.ChosenFilePath;
    if (HasRaceFileExtension(path) && !ProbeRaceFilePath(path)) {
        screens_.prompter.message(Messages::BadRaceFilePath(path));
        return;
    }
    Finish("ok");
}

void frmOuvrir::Command1_Click() {
    Finish("cancel");
}

void frmOuvrir::cmdDemo_Click() {
    if (demoFile_.isEmpty()) return;
    screens_.state.race.ChosenFilePath = S(demoFile_);
    screens_.state.race.ChosenForReading = true;
    Finish("ok");
}

void frmOuvrir::Finish(const char* status) {
    if (!pending_) return;
    pending_ = false;
    screens_.state.race.FileDialogStatus = status;
    hide();
    emit choiceMade();
}

void frmOuvrir::closeEvent(QCloseEvent* event) {
    event->accept();
    Finish("cancel");
}

void frmOuvrir::reject() {
    Finish("cancel");
}

} // namespace sg
