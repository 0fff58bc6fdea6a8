#include "widgets/picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/pictureloader.h"

namespace zeitrad::widgets {

Picture::Picture(const QString& name, QWidget* parent, const QRect& geometry,
                 const QString& resource, bool stretch)
    : QWidget(parent), resource_(resource), stretch_(stretch) {
    setObjectName(name);
    setGeometry(geometry);
}

const QImage& Picture::image() const {
    if (!image_)
        image_ = loadPicture(resource_);
    return *image_;
}

void Picture::setResource(const QString& resource) {
    if (resource == resource_)
        return;
    resource_ = resource;
    image_.reset();
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    const QImage& picture = image();
    if (picture.isNull())
        return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), picture);
    } else {
        p.drawImage(QPoint(0, 0), picture);
    }
}

void Picture::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace zeitrad::widgets
