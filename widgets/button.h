// A push button at a fixed place with a caption.
#pragma once

#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QString>

#include "widgets/fonts.h"

namespace zeitrad::widgets {

QPushButton* makeButton(const QString& name, QWidget* parent, const QRect& geometry,
                        const QString& caption, const QFont& font = windowFont());

} // namespace zeitrad::widgets
