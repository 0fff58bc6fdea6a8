// The book screen: the classical verses on the periods and the book that holds them.
#pragma once

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::screens {

// The book's catalogue data as the screen shows it.
namespace book {
inline const QString isbn13 = "978-3-935861-27-4";
inline const QString isbn10 = "3-935861-27-3";
inline const QString pages = "Seiten: 312";
inline const QString price = "Preis: 29,80 EUR";
} // namespace book

class BookScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit BookScreen(QWidget* window);

    // The small panel that lies outside the screen's area and is never seen.
    widgets::Panel* innerPanel() const { return inner_; }
    // The link labels: the book's order page and the publisher's further titles.
    widgets::Label* orderLink() const { return label429_; }
    widgets::Label* titlesLink() const { return label433_; }

private:
    widgets::Panel* inner_ = nullptr;
    widgets::Label* label429_ = nullptr;
    widgets::Label* label433_ = nullptr;
};

} // namespace zeitrad::screens
