// The course screen: the publisher's course on Vedic astrology. Covers the whole window.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::ui {

class CourseScreen : public Panel {
    Q_OBJECT
public:
    explicit CourseScreen(QWidget* window);

    QPushButton* closeButton() const { return button18_; }
    // The link labels: the order line and the publisher's web address.
    Label* orderLink() const { return label431_; }
    Label* siteLink() const { return label432_; }

private:
    QPushButton* button18_ = nullptr;
    Label* label431_ = nullptr;
    Label* label432_ = nullptr;
};

} // namespace zeitrad::ui
