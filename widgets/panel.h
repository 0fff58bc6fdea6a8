// A screen or strip: a filled rectangle with a raised one-pixel bevel and an optional caption.
// A click on its own background emits clicked(); clicks on the controls lying on it do not.
// Like every control, it is placed once, in pixels of its parent, and never moved by a layout.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include "widgets/click.h"

namespace zeitrad::widgets {

class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& color,
          const QString& caption = {});

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor color_;
    QString caption_;
    ClickTracker click_;
};

} // namespace zeitrad::widgets
