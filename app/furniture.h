// What lies directly on the window rather than on a screen: the period bar, the legend strip
// with its nine labels, and the label that names the birth nakshatra.
#pragma once

#include <QList>
#include <QWidget>

#include "widgets/label.h"
#include "widgets/shape.h"

namespace zeitrad::app {

class Furniture {
public:
    explicit Furniture(QWidget* window);

    // Adds the label that names the birth nakshatra and the nine legend labels, hidden, on the
    // legend strip, all under every panel and button. The window builds them after its first
    // paint, since none of them can be seen at start.
    void addLabels(QWidget* lowestControl);

    widgets::Shape* legendStrip() const { return shape183_; }
    const QList<widgets::Label*>& legendLabels() const { return legend_; }
    widgets::Label* nakshatraLabel() const { return label261_; }

private:
    widgets::Shape* shape183_ = nullptr;
    QList<widgets::Label*> legend_;
    widgets::Label* label261_ = nullptr;
};

} // namespace zeitrad::app
