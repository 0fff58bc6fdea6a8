// A filled rectangle with a one-pixel black outline. A clear shape shows only its outline.
// Shapes swallow clicks, so that a click on one never reaches the panel it lies on.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include "widgets/colors.h"

namespace zeitrad::widgets {

class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(const QString& name, QWidget* parent, const QRect& geometry,
          const QColor& fill = colors::white);
    QColor brushColor() const { return fill_; }
    void setBrushColor(const QColor& color);
    bool isClear() const { return clear_; }
    void setClear(bool clear);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor fill_;
    bool clear_ = false;
};

} // namespace zeitrad::widgets
