#include "screens/divisions.h"

#include "widgets/picture.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

DivisionsScreen::DivisionsScreen(QWidget* window)
    : Panel("Panel14", window, QRect(40, 208, 729, 209), colors::buttonFace) {
    // The chart is wider than its frame: its rightmost columns are cut off.
    new Picture("Image5", this, QRect(8, 16, 705, 177), ":/divisions.jpg");
}

} // namespace zeitrad::screens
