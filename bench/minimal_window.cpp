// The yardsticks for the start-up figures: an empty Qt window of Zeitrad's size, started and
// reported the same way (see app/firstpaint.h); with --label, the same window showing one line of
// text, which also pays for starting the font system.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "app/firstpaint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.setFixedSize(826, 705);
    if (argc > 1 && QString(argv[1]) == "--label")
        (new QLabel("Zeitrad", &window))->move(16, 16);
    zeitrad::exitAfterFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
