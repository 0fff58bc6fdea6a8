// How much room a label's caption takes in its font: the box that holds the whole text, trailing
// blanks and accents included, and the rows added above the text for accents that rise above the
// font's ascent. Measured once per font and caption.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace zeitrad::widgets {

struct TextFit {
    QSize size;
    int top = 0;
};

const TextFit& measureText(const QFont& font, const QString& text);

} // namespace zeitrad::widgets
