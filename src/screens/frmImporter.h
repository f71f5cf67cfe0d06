// "Importer des courses": the PMU's races of a period into the open race file, from the service
// or a folder. The import runs as a child process (sg-race importer, beside the program), whose
// lines of progress the window shows as they come: the program itself never loads the network
// library, and stays usable meanwhile.
#pragma once

#include <QProcess>
#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace sg {

class Screens;

class frmImporter : public QWidget {
    Q_OBJECT
  public:
    explicit frmImporter(Screens& screens);
    ~frmImporter() override;

    // Shown from the options window, for the race file open now.
    void ShowForOpenFile();

    void cmdImporter_Click();
    void cmdAnnuler_Click();
    void cmdParcourir_Click();

    bool IsRunning() const { return process_ != nullptr; }

    // The race tool run for the import; beside the program's executable by default.
    QString ToolPath;
    // The pause between two documents of the service (--pause), in seconds.
    double PauseSeconds = 1.0;

    QLabel* lblFichier = nullptr;
    QLineEdit* txtDu = nullptr;
    QLineEdit* txtAu = nullptr;
    QRadioButton* optService = nullptr;
    QRadioButton* optDossier = nullptr;
    QLineEdit* txtDossier = nullptr;
    QPushButton* cmdParcourir = nullptr;
    QLabel* lblEstimation = nullptr;
    QPushButton* cmdImporter = nullptr;
    QPushButton* cmdAnnuler = nullptr;
    QProgressBar* prgImport = nullptr;
    QLabel* lblJour = nullptr;
    QPlainTextEdit* txtCompteRendu = nullptr;

  signals:
    void finished(); // an import ended: done, failed or cancelled

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window; an import goes on

  private:
    struct Period {
        std::string first, last; // JJ/MM/AAAA
        int days = 0;
    };
    std::optional<Period> ChosenPeriod() const;
    bool NetworkSource() const;
    void ShowEstimate();
    void ReadProgress();
    void ImportEnded(int exitCode, QProcess::ExitStatus status);
    void SetRunning(bool running);
    void OpenOnFirstRace();

    Screens& screens_;
    QProcess* process_ = nullptr;
    std::string importPath_; // the race file the running import writes
    Period period_;
    int daysDone_ = 0;
    std::optional<int> firstRace_;
    bool cancelled_ = false;
};

} // namespace sg
