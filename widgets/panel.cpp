#include "widgets/panel.h"

#include <QPainter>

#include "widgets/colors.h"

namespace zeitrad::widgets {

Panel::Panel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& color,
             const QString& caption)
    : QWidget(parent), color_(color), caption_(caption) {
    setObjectName(name);
    setGeometry(geometry);
    setAutoFillBackground(false);
    // The panel paints every pixel of its box, so the window need not fill what lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, color.alpha() == 255);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, color_);
    if (!caption_.isEmpty()) {
        p.setPen(colors::windowText);
        p.setFont(font());
        p.drawText(r, Qt::AlignCenter, caption_);
    }
    // Raised one-pixel bevel: light on the top and left edges, shadow on the bottom and right.
    // Filled rather than stroked, so that on a scaled display it stays one logical pixel wide
    // (Qt draws one-pixel pens as one device pixel).
    const int w = r.width(), h = r.height();
    p.fillRect(0, 0, w, 1, colors::buttonHighlight);
    p.fillRect(0, 0, 1, h, colors::buttonHighlight);
    p.fillRect(w - 1, 0, 1, h, colors::buttonShadow);
    p.fillRect(0, h - 1, w, 1, colors::buttonShadow);
}

void Panel::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void Panel::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(this, event))
        emit clicked();
}

} // namespace zeitrad::widgets
