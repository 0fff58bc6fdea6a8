// A picture held in the program's resources, drawn from the control's top-left corner at its own
// pixel size and clipped to the control, or stretched to fill it. It is decoded when first drawn;
// a picture that cannot be decoded shows as an empty control. Clicks on it go no further.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

namespace zeitrad::widgets {

class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& name, QWidget* parent, const QRect& geometry, const QString& resource,
            bool stretch = false);
    // The decoded picture (decodes it on first use); null when the data is damaged.
    const QImage& image() const;
    void setResource(const QString& resource);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString resource_;
    bool stretch_;
    mutable std::optional<QImage> image_;
};

} // namespace zeitrad::widgets
