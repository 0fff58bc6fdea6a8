#include "widgets/textfit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace zeitrad::widgets {

namespace {

struct LineMetrics {
    int ascent;
    int height;
};

// Tahoma's own line is one em above the baseline and 2472/2048 em high: 13 pixels at 8 pt. The
// Tahoma that Debian ships with Wine reports a smaller ascent, which would set text too high and
// cut the dots off capital umlauts, so its lines are laid out with the original proportions.
LineMetrics measureLine(const QFont& font) {
    const QFontInfo info(font);
    if (info.family() == QLatin1String("Tahoma")) {
        const int pixels = info.pixelSize();
        return {pixels, static_cast<int>(std::lround(pixels * 2472.0 / 2048.0))};
    }
    const QFontMetrics metrics(font);
    return {metrics.ascent(), metrics.height()};
}

TextFit fitText(const QFont& font, const QString& text, const LineMetrics& line) {
    const QFontMetrics metrics(font);
    TextFit fit;
    // The text sits on the line's baseline; accents on capitals ("LÖWE") that still reach above
    // it make the label grow by those rows, so that they are not cut off.
    const QRect ink = metrics.tightBoundingRect(text);
    fit.top = std::max({0, line.ascent - metrics.ascent(), -ink.top() - metrics.ascent()});
    // horizontalAdvance counts trailing blanks, so the background reaches behind them. Bold
    // Tahoma is derived from the regular face by thickening its outlines, and its last letter may
    // reach a pixel past the advance (and its antialiased edge one more than the metrics report);
    // the label then grows to keep it whole.
    const int inkRight = ink.right() + 1 + (font.bold() ? 1 : 0);
    fit.size = QSize(std::max(metrics.horizontalAdvance(text), inkRight),
                     std::max(line.height, metrics.height() + fit.top));
    return fit;
}

// Resolving a font to find its family, and shaping a caption, are the costliest steps in building
// the screens; many labels share font and caption. QFont compares and hashes by everything that
// shapes text: families, size, weight, style, hinting, spacing and kerning.
struct MeasureCache {
    QHash<QFont, LineMetrics> lines;
    QHash<QFont, QHash<QString, TextFit>> fits;
};

MeasureCache& cache() {
    static MeasureCache measured;
    // A font added to the program may change what a family name resolves to.
    static const QMetaObject::Connection onNewFonts =
        QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, qApp, [] {
            measured.lines.clear();
            measured.fits.clear();
        });
    Q_UNUSED(onNewFonts);
    return measured;
}

} // namespace

const TextFit& measureText(const QFont& font, const QString& text) {
    MeasureCache& measured = cache();
    QHash<QString, TextFit>& inFont = measured.fits[font];
    auto it = inFont.constFind(text);
    if (it == inFont.constEnd()) {
        auto line = measured.lines.constFind(font);
        if (line == measured.lines.constEnd())
            line = measured.lines.insert(font, measureLine(font));
        it = inFont.insert(text, fitText(font, text, *line));
    }
    return *it;
}

} // namespace zeitrad::widgets
