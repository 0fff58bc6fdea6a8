// The course screen: the publisher's course on Vedic astrology. Covers the whole window.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::screens {

class CourseScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit CourseScreen(QWidget* window);

    QPushButton* closeButton() const { return button18_; }
    // The link labels: the order line and the publisher's web address.
    widgets::Label* orderLink() const { return label431_; }
    widgets::Label* siteLink() const { return label432_; }

private:
    QPushButton* button18_ = nullptr;
    widgets::Label* label431_ = nullptr;
    widgets::Label* label432_ = nullptr;
};

} // namespace zeitrad::screens
