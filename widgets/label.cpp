#include "widgets/label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

#include "widgets/textfit.h"

namespace zeitrad::widgets {

namespace {

// What a screen reader reads of a label: its text without the trailing blanks that pad it on
// screen, as static text or as a link.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label)
        : QAccessibleWidget(label, label->isLink() ? QAccessible::Link : QAccessible::StaticText) {
        if (label->isLink())
            addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const Label*>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty()) {
            QString text = label->text();
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            return text;
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* labelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(Label::staticMetaObject.className()) && object->isWidgetType())
        return new LabelAccessible(static_cast<Label*>(object));
    return nullptr;
}

} // namespace

Label::Label(const QString& name, QWidget* parent, const QPoint& topLeft, const QString& text,
             const QFont& font, const QColor& textColor, std::optional<QColor> background)
    : QWidget(parent), text_(text), textColor_(textColor), background_(background) {
    static const bool accessible = [] {
        QAccessible::installFactory(labelAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
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
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Label::setFixedBox(const QSize& size) {
    autoSize_ = false;
    resize(size);
}

void Label::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void Label::makeLink(Cursor cursor) {
    link_ = true;
    if (cursor == Cursor::Hand)
        setCursor(Qt::PointingHandCursor);
}

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
    QColor fill = colors::buttonFace;
    if (background_)
        fill = *background_;
    else if (parentWidget())
        fill = parentWidget()->palette().color(QPalette::Window);
    p.fillRect(rect(), fill);
    p.setPen(textColor_);
    p.setFont(font());
    p.drawText(rect().adjusted(0, textTop_, 0, 0),
               static_cast<int>(alignment_) | Qt::TextSingleLine, text_);
}

void Label::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(this, event))
        emit clicked();
}

} // namespace zeitrad::widgets
