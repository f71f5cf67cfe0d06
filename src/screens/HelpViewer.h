// The help window: the help document shown in a modeless window of the program.
#pragma once

#include <QTextBrowser>

namespace sg {

class HelpViewer : public QTextBrowser {
    Q_OBJECT
  public:
    HelpViewer();
    void showFile(const QString& path);
};

} // namespace sg
