// Zeitrad: the Vimsottari dasa periods of one birth.
#include <QApplication>

#include "app/zeitrad.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zeitrad");
    TZeitrad window;
    window.show();
    return QApplication::exec();
}
