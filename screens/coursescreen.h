// The course screen: the publisher's course on Vedic astrology. Covers the whole window.
#pragma once

#include "screens/controls.h"

namespace zeitrad::ui {

class CourseScreen : public Panel {
    Q_OBJECT
public:
    explicit CourseScreen(QWidget* window);
};

} // namespace zeitrad::ui
