// Zeitrad: the Vimsottari dasa periods of one birth.
#include <QApplication>

#include "app/firstpaint.h"
#include "app/warmup.h"
#include "app/zeitrad.h"

int main(int argc, char* argv[]) {
    // The font configuration needs no display: it loads while the toolkit connects to one.
    zeitrad::app::FontWarmup fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zeitrad");
    // Where QSettings keeps what the window remembers (the period list's year length).
    QApplication::setOrganizationName("Zeitrad");
    // Lets the desktop match the window with the installed desktop entry and its icon.
    QApplication::setDesktopFileName("example.kelmora.zeitrad");
    TZeitrad window;
    zeitrad::exitAfterFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
