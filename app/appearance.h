// The fixed look of the program: Fusion style, a fixed palette of system colours, and the fonts.
#pragma once

#include <QString>

namespace zeitrad::app {

// Sets style, palette and fonts on the running application. Safe to call more than once.
void applyAppearance();

// The family that a font name of the screens resolves to on this machine.
QString resolvedFamily(const QString& requested);

} // namespace zeitrad::app
