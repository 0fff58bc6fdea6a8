#include "widgets/shape.h"

#include <QMouseEvent>
#include <QPainter>

namespace zeitrad::widgets {

Shape::Shape(const QString& name, QWidget* parent, const QRect& geometry, const QColor& fill)
    : QWidget(parent), fill_(fill) {
    setObjectName(name);
    setGeometry(geometry);
}

void Shape::setBrushColor(const QColor& color) {
    if (color == fill_)
        return;
    fill_ = color;
    update();
}

void Shape::setClear(bool clear) {
    clear_ = clear;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (!clear_)
        p.fillRect(r, fill_);
    // The outline is filled, like the panels' bevel, so that it scales with the display.
    const int w = r.width(), h = r.height();
    p.fillRect(0, 0, w, 1, colors::black);
    p.fillRect(0, h - 1, w, 1, colors::black);
    p.fillRect(0, 0, 1, h, colors::black);
    p.fillRect(w - 1, 0, 1, h, colors::black);
}

void Shape::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void Shape::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace zeitrad::widgets
