// A click as the screens count it: the left button pressed on a control and released over the
// same control.
#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace zeitrad::widgets {

class ClickTracker {
public:
    void press(QMouseEvent* event) {
        pressed_ = event->button() == Qt::LeftButton;
        event->accept();
    }
    // True when this release completes a click on the widget.
    bool release(const QWidget* widget, QMouseEvent* event) {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           widget->rect().contains(event->position().toPoint());
        pressed_ = false;
        event->accept();
        return click;
    }

private:
    bool pressed_ = false;
};

} // namespace zeitrad::widgets
