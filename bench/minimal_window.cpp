// The yardstick for the start-up figures: an empty Qt window of Zeitrad's size, started and
// reported the same way (see app/firstpaint.h).
#include <QApplication>
#include <QWidget>

#include "app/firstpaint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.setFixedSize(826, 705);
    zeitrad::exitAfterFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
