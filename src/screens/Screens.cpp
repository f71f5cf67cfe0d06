#include "screens/Screens.h"

#include "screens/frmAnalyse.h"
#include "screens/frmBilan.h"
#include "screens/frmCote.h"
#include "screens/frmImporter.h"
#include "screens/frmJeuGagnant.h"
#include "screens/frmJournal.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"
#include "screens/rappJS.h"

#include <QDir>
#include <QFileInfo>

namespace sg {

Screens::Screens(SharedState& sharedState, Prompter& sharedPrompter, Shell& sharedShell,
                 QString programFolder)
    : state(sharedState), prompter(sharedPrompter), shell(sharedShell),
      programFolder_(std::move(programFolder)) {}

Screens::~Screens() {
    // The secondary windows go before the main one they refer to.
    fileDialog_.reset();
    journal_.reset();
    analysis_.reset();
    importer_.reset();
    backtest_.reset();
    variation_.reset();
    results_.reset();
    options_.reset();
}

frmJeuGagnant& Screens::main() {
    if (!main_) main_ = std::make_unique<frmJeuGagnant>(*this);
    return *main_;
}

frmOptions& Screens::options() {
    if (!options_) options_ = std::make_unique<frmOptions>(*this);
    return *options_;
}

rappJS& Screens::results() {
    if (!results_) results_ = std::make_unique<rappJS>(*this);
    return *results_;
}

frmCote& Screens::variation() {
    if (!variation_) variation_ = std::make_unique<frmCote>(*this);
    return *variation_;
}

bool Screens::busy() const {
    return backtest_ && backtest_->IsBusy();
}

frmBilan& Screens::backtest() {
    if (!backtest_) backtest_ = std::make_unique<frmBilan>(*this);
    return *backtest_;
}

void Screens::RaceFileOpened() {
    if (backtest_) backtest_->RaceFileChanged();
}

frmAnalyse& Screens::analysis() {
    if (!analysis_) analysis_ = std::make_unique<frmAnalyse>(*this);
    return *analysis_;
}

frmJournal& Screens::journal() {
    if (!journal_) journal_ = std::make_unique<frmJournal>(*this);
    return *journal_;
}

frmImporter& Screens::importer() {
    if (!importer_) importer_ = std::make_unique<frmImporter>(*this);
    return *importer_;
}

frmOuvrir* Screens::openFileDialog() {
    if (frmOuvrir* pending = pendingFileDialog()) {
        pending->raise();
        pending->activateWindow();
        return nullptr;
    }
    fileDialog_ = std::make_unique<frmOuvrir>(*this, fileDialogFolder(), demoFile());
    fileDialog_->setWindowModality(Qt::ApplicationModal);
    fileDialog_->show();
    return fileDialog_.get();
}

frmOuvrir* Screens::pendingFileDialog() const {
    return fileDialog_ && fileDialog_->IsPending() ? fileDialog_.get() : nullptr;
}

QString Screens::fileDialogFolder() const {
    QFileInfo folder(programFolder_);
    return folder.isDir() && folder.isWritable() ? programFolder_ : QDir::homePath();
}

QString Screens::demoFile() const {
    QDir folder(programFolder_);
    for (const char* place : {"demo.tur", SG_DATA_FROM_PROGRAM "/demo.tur"}) {
        QFileInfo file(folder.filePath(place));
        if (file.isFile() && file.isReadable()) return QDir::cleanPath(file.absoluteFilePath());
    }
    return {};
}

const std::vector<std::string>& Screens::WindowNames() {
    static const std::vector<std::string> names = {"frmJeuGagnant", "frmOptions", "frmOuvrir",
                                                   "rappJS",        "frmCote",    "frmBilan",
                                                   "frmAnalyse",    "frmJournal"};
    return names;
}

QWidget* Screens::window(const std::string& name, bool create) {
    if (name == "frmJeuGagnant") {
        if (!create && !main_) return nullptr;
        main().EnsureHiddenRows(); // every control there to be found by its name
        return &main();
    }
    if (name == "frmOptions") return create || options_ ? &options() : nullptr;
    if (name == "rappJS") return create || results_ ? &results() : nullptr;
    if (name == "frmCote") return create || variation_ ? &variation() : nullptr;
    if (name == "frmBilan") return create || backtest_ ? &backtest() : nullptr;
    if (name == "frmAnalyse") return create || analysis_ ? &analysis() : nullptr;
    if (name == "frmJournal") return create || journal_ ? &journal() : nullptr;
    if (name == "frmOuvrir") return pendingFileDialog();
    return nullptr;
}

} // namespace sg
