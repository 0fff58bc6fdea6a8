#include "widgets/button.h"

namespace zeitrad::widgets {

QPushButton* makeButton(const QString& name, QWidget* parent, const QRect& geometry,
                        const QString& caption, const QFont& font) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

} // namespace zeitrad::widgets
