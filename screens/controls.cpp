#include "screens/controls.h"

#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <future>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "screens/jpeg.h"

namespace zeitrad::ui {

int pointsToPixels(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont makeFont(const QString& family, int points, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont() {
    return tahoma(8);
}

namespace {

// Presses count as clicks only when the button is released over the same control.
bool releasedInside(const QWidget* widget, const QMouseEvent* event) {
    return event->button() == Qt::LeftButton &&
           widget->rect().contains(event->position().toPoint());
}

} // namespace

// ---------------------------------------------------------------------------------------------

Panel::Panel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& color,
             const QString& caption)
    : QWidget(parent), color_(color), caption_(caption) {
    setObjectName(name);
    setGeometry(geometry);
    setAutoFillBackground(false);
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
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Panel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && releasedInside(this, event);
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

// ---------------------------------------------------------------------------------------------

Shape::Shape(const QString& name, QWidget* parent, const QRect& geometry, const QColor& fill)
    : QWidget(parent), fill_(fill) {
    setObjectName(name);
    setGeometry(geometry);
}

void Shape::setBrushColor(const QColor& color) {
    if (color == fill_)
        return;
    fill_ = color;
    update();
}

void Shape::setClear(bool clear) {
    clear_ = clear;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (!clear_)
        p.fillRect(r, fill_);
    // The outline is filled, like the panels' bevel, so that it scales with the display.
    const int w = r.width(), h = r.height();
    p.fillRect(0, 0, w, 1, colors::black);
    p.fillRect(0, h - 1, w, 1, colors::black);
    p.fillRect(0, 0, 1, h, colors::black);
    p.fillRect(w - 1, 0, 1, h, colors::black);
}

// Shapes swallow clicks so that they never reach the panel they lie on.
void Shape::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void Shape::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

// ---------------------------------------------------------------------------------------------

Label::Label(const QString& name, QWidget* parent, const QPoint& topLeft, const QString& text,
             const QFont& font, const QColor& textColor, std::optional<QColor> background)
    : QWidget(parent), text_(text), textColor_(textColor), background_(background) {
    setObjectName(name);
    setFont(font);
    move(topLeft);
    fitToText();
}

void Label::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    fitToText();
    update();
}

void Label::setBackground(std::optional<QColor> color) {
    background_ = color;
    update();
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void Label::setFixedBox(const QSize& size) {
    autoSize_ = false;
    resize(size);
}

void Label::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void Label::setHandCursor(bool hand) {
    if (hand)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

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

// Resolving a font to find its family is costly; every font is resolved once (until fonts are
// added to the program).
QHash<QFont, LineMetrics>& lineCache() {
    static QHash<QFont, LineMetrics> lines;
    return lines;
}

const LineMetrics& lineMetrics(const QFont& font) {
    QHash<QFont, LineMetrics>& lines = lineCache();
    auto it = lines.constFind(font);
    if (it == lines.constEnd())
        it = lines.insert(font, measureLine(font));
    return *it;
}

struct TextFit {
    QSize size;
    int top = 0;
};

// Measuring a caption shapes its text, the costliest step in building the screens, and the first
// caption in a font also loads that font. Every label is measured when its font is set and again
// when it is placed, and many share font and caption, so each pair is measured once.
const TextFit& measureText(const QFont& font, const QString& text) {
    // QFont compares and hashes by everything that shapes text: families, size, weight, style,
    // hinting, spacing and kerning.
    static QHash<QFont, QHash<QString, TextFit>> fits;
    // A font added to the program may change what a family name resolves to.
    static const QMetaObject::Connection onNewFonts =
        QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, qApp, [] {
            fits.clear();
            lineCache().clear();
        });
    Q_UNUSED(onNewFonts);
    QHash<QString, TextFit>& inFont = fits[font];
    auto it = inFont.constFind(text);
    if (it == inFont.constEnd()) {
        const QFontMetrics metrics(font);
        const LineMetrics& line = lineMetrics(font);
        TextFit fit;
        // The text sits on the line's baseline; accents on capitals ("LÖWE") that still reach
        // above it make the label grow by those rows, so that they are not cut off.
        const QRect ink = metrics.tightBoundingRect(text);
        fit.top = std::max({0, line.ascent - metrics.ascent(), -ink.top() - metrics.ascent()});
        // horizontalAdvance counts trailing blanks, so the background reaches behind them. Bold
        // Tahoma is derived from the regular face by thickening its outlines, and its last letter
        // may reach a pixel past the advance (and its antialiased edge one more than the metrics
        // report); the label then grows to keep it whole.
        const int inkRight = ink.right() + 1 + (font.bold() ? 1 : 0);
        fit.size = QSize(std::max(metrics.horizontalAdvance(text), inkRight),
                         std::max(line.height, metrics.height() + fit.top));
        it = inFont.insert(text, fit);
    }
    return *it;
}

} // namespace

void Label::fitToText() {
    if (!autoSize_)
        return;
    const TextFit& fit = measureText(font(), text_);
    textTop_ = fit.top;
    resize(fit.size);
}

void Label::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        fitToText();
    QWidget::changeEvent(event);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!transparent_) {
        QColor fill = colors::buttonFace;
        if (background_)
            fill = *background_;
        else if (parentWidget())
            fill = parentWidget()->palette().color(QPalette::Window);
        p.fillRect(rect(), fill);
    }
    p.setPen(textColor_);
    p.setFont(font());
    p.drawText(rect().adjusted(0, textTop_, 0, 0),
               static_cast<int>(alignment_) | Qt::TextSingleLine, text_);
}

void Label::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && releasedInside(this, event);
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

// ---------------------------------------------------------------------------------------------

namespace {

QImage decodePicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    if (data.startsWith("\xFF\xD8"))
        return decodeJpeg(data);
    // Qt reads PNG and BMP itself; naming the format spares it loading every image plugin to ask
    // which one reads the data.
    const char* format = data.startsWith("\x89PNG") ? "png" : data.startsWith("BM") ? "bmp" : "";
    QBuffer buffer(&data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(*format == 0);
    return reader.read();
}

// Pictures being decoded ahead of their first load, by resource. Filled before the decoding
// thread starts and touched only by the thread that runs the window; the decoding thread only
// keeps the promises.
struct Preload {
    std::map<QString, std::future<QImage>> pending;
    std::thread decoder;
    ~Preload() {
        if (decoder.joinable())
            decoder.join();
    }
};

Preload& preload() {
    static Preload instance;
    return instance;
}

} // namespace

void preloadPictures(const QStringList& resources) {
    Preload& p = preload();
    if (p.decoder.joinable())
        return;
    std::vector<std::pair<QString, std::promise<QImage>>> jobs;
    for (const QString& resource : resources) {
        if (p.pending.contains(resource))
            continue;
        std::promise<QImage> promise;
        p.pending.emplace(resource, promise.get_future());
        jobs.emplace_back(resource, std::move(promise));
    }
    // One thread decodes them in the order given: a second core is all the start has to spare.
    p.decoder = std::thread([jobs = std::move(jobs)]() mutable {
        for (auto& [resource, promise] : jobs)
            promise.set_value(decodePicture(resource));
    });
}

QImage loadPicture(const QString& resource) {
    Preload& p = preload();
    if (auto it = p.pending.find(resource); it != p.pending.end()) {
        QImage image = it->second.get();
        p.pending.erase(it);
        return image;
    }
    return decodePicture(resource);
}

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
    if (releasedInside(this, event))
        emit clicked();
}

// ---------------------------------------------------------------------------------------------

QPushButton* makeButton(const QString& name, QWidget* parent, const QRect& geometry,
                        const QString& caption, const QFont& font) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

} // namespace zeitrad::ui
