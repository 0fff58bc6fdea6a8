// The few kinds of control every screen is built from: panels that report clicks on their own
// background, filled shapes with a one-pixel outline, self-sizing labels, pictures and buttons.
// Every control is placed once, in pixels of its parent, and never moved by a layout.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace zeitrad::ui {

// The plain colours the screens use.
namespace colors {
inline const QColor purple{128, 0, 128};
inline const QColor green{0, 128, 0};
inline const QColor yellow{255, 255, 0};
inline const QColor fuchsia{255, 0, 255};
inline const QColor lime{0, 255, 0};
inline const QColor red{255, 0, 0};
inline const QColor blue{0, 0, 255};
inline const QColor navy{0, 0, 128};
inline const QColor skyBlue{166, 202, 240};
inline const QColor teal{0, 128, 128};
inline const QColor maroon{128, 0, 0};
inline const QColor olive{128, 128, 0};
inline const QColor aqua{0, 255, 255};
inline const QColor silver{192, 192, 192};
inline const QColor grey{128, 128, 128};
inline const QColor black{0, 0, 0};
inline const QColor white{255, 255, 255};
inline const QColor cream{255, 251, 240};
// System colours, fixed so that the window looks the same on every desktop.
inline const QColor buttonFace{240, 240, 240};
inline const QColor buttonShadow{160, 160, 160};
inline const QColor windowText{0, 0, 0};
inline const QColor buttonHighlight{255, 255, 255};
inline const QColor captionText{255, 255, 255};
inline const QColor window{255, 255, 255};
inline const QColor highlightText{255, 255, 255};
} // namespace colors

// Font sizes are given in points at 96 dots per inch; Qt gets them as pixel sizes so that the
// window looks the same whatever the screen reports.
int pointsToPixels(int points);
QFont makeFont(const QString& family, int points, bool bold = false, bool italic = false);
inline QFont tahoma(int points, bool bold = false) {
    return makeFont("Tahoma", points, bold);
}
// The window's default font: Tahoma 8 pt.
QFont windowFont();

// A screen or strip: a filled rectangle with a raised one-pixel bevel and an optional caption.
// A click on its own background emits clicked(); clicks on the controls lying on it do not.
class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(const QString& name, QWidget* parent, const QRect& geometry, const QColor& color,
          const QString& caption = {});
    QColor color() const { return color_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor color_;
    QString caption_;
    bool pressed_ = false;
};

// A filled rectangle with a one-pixel black outline. A clear shape shows only its outline.
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

// A text label that sizes itself to its text in its font (trailing blanks included), draws its
// background (its own colour, or its parent's) behind the whole text, and can act as a link.
class Label : public QWidget {
    Q_OBJECT
public:
    Label(const QString& name, QWidget* parent, const QPoint& topLeft, const QString& text,
          const QFont& font = windowFont(), const QColor& textColor = colors::windowText,
          std::optional<QColor> background = std::nullopt);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor textColor() const { return textColor_; }
    std::optional<QColor> background() const { return background_; }
    void setBackground(std::optional<QColor> color);
    // Transparent labels draw only their text.
    void setTransparent(bool transparent);
    // A fixed-size label keeps its size when its text changes.
    void setFixedBox(const QSize& size);
    void setAlignment(Qt::Alignment alignment);
    // Makes the label a link: shows the hand cursor (when asked) and emits clicked().
    void setHandCursor(bool hand);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToText();

    QString text_;
    QColor textColor_;
    std::optional<QColor> background_;
    bool transparent_ = false;
    bool autoSize_ = true;
    int textTop_ = 0; // rows added above the text for accents that rise above the ascent
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    bool pressed_ = false;
};

// A picture held in the program's resources, drawn from the control's top-left corner at its own
// pixel size and clipped to the control, or stretched to fill it. It is decoded when first drawn;
// a picture that cannot be decoded shows as an empty control.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& name, QWidget* parent, const QRect& geometry, const QString& resource,
            bool stretch = false);
    // The decoded picture (decodes it on first use); null when the data is damaged.
    const QImage& image() const;
    void setResource(const QString& resource);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString resource_;
    bool stretch_;
    mutable std::optional<QImage> image_;
};

// Loads a picture from the resources: JPEG data through libjpeg, anything else through Qt.
QImage loadPicture(const QString& resource);

// Starts decoding these pictures on a thread of its own, for a window that shows them at once:
// the first loadPicture() of each takes the result, waiting for it if need be; later loads decode
// afresh. Only the first call starts anything. Call from the thread that runs the window, once the
// application object exists.
void preloadPictures(const QStringList& resources);

// A push button at a fixed place with a caption.
QPushButton* makeButton(const QString& name, QWidget* parent, const QRect& geometry,
                        const QString& caption, const QFont& font = windowFont());

} // namespace zeitrad::ui
