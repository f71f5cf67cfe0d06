#include "screens/HelpViewer.h"

#include "screens/Controls.h"

#include <QFile>

namespace sg {

HelpViewer::HelpViewer() {
    setObjectName("HelpViewer");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Aide de Simple Gagnant");
    setOpenExternalLinks(false);
    resize(620, 560);
    UseDesktopKeys(this, true);
}

void HelpViewer::showFile(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        setHtml(QString::fromUtf8(file.readAll()));
    } else {
        setPlainText("Le fichier d'aide " + path + " est introuvable.");
    }
    showNormal();
    raise();
    activateWindow();
}

} // namespace sg
