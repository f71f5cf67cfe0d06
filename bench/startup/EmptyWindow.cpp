// The yardstick of the start-up measurement: an empty Qt Widgets window, shown and painted,
// then the end.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    sg::QuitAfterFirstPaint quitWhenShown(&window);
    window.show();
    return app.exec();
}
