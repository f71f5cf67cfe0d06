// Ends the run once a window has been painted for the first time: the start-up measured to
// the moment the user sees the window, the same way for the program and for its yardstick.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace sg {

class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QObject* window) { window->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Once the paint in progress (the children's included) is done. exit, not
            // quit: quit would ask the main window to close, and its close box asks.
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

  private:
    bool quitting_ = false;
};

} // namespace sg
