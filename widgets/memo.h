// Multi-line text boxes and the long texts held in the program's resources.
#pragma once

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QRect>
#include <QString>

namespace zeitrad::widgets {

// A text held in the resources (UTF-8), without the file's final line break.
QString loadText(const QString& resource);

// An editable multi-line text box that wraps its lines at its own width and shows no horizontal
// scroll bar; the vertical one is always there or never. It opens at the top of its text.
QPlainTextEdit* makeMemo(const QString& name, QWidget* parent, const QRect& geometry,
                         const QString& text, const QFont& font, const QColor& background,
                         bool verticalScrollBar);

} // namespace zeitrad::widgets
