// A text label that sizes itself to its text in its font (trailing blanks included) and draws its
// background (its own colour, or its parent's) behind the whole text. A label made a link emits
// clicked() and reads as a link to a screen reader.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>

#include "widgets/click.h"
#include "widgets/colors.h"
#include "widgets/fonts.h"

namespace zeitrad::widgets {

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
    // A fixed-size label keeps its size when its text changes.
    void setFixedBox(const QSize& size);
    void setAlignment(Qt::Alignment alignment);

    // Makes the label a link: it emits clicked() and reads as a link. Some links show the hand
    // cursor, others keep the arrow.
    enum class Cursor { Arrow, Hand };
    void makeLink(Cursor cursor);
    bool isLink() const { return link_; }

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
    bool autoSize_ = true;
    bool link_ = false;
    int textTop_ = 0; // rows added above the text for accents that rise above the ascent
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    ClickTracker click_;
};

} // namespace zeitrad::widgets
