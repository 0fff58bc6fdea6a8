#include "widgets/memo.h"

#include <QFile>
#include <QScrollBar>

#include "widgets/colors.h"

namespace zeitrad::widgets {

QString loadText(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QPlainTextEdit* makeMemo(const QString& name, QWidget* parent, const QRect& geometry,
                         const QString& text, const QFont& font, const QColor& background,
                         bool verticalScrollBar) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->setFont(font);
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, colors::windowText);
    memo->setPalette(pal);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control instead of typing a tab into the text.
    memo->setTabChangesFocus(true);
    memo->setPlainText(text);
    memo->moveCursor(QTextCursor::Start);
    memo->verticalScrollBar()->setValue(0);
    return memo;
}

} // namespace zeitrad::widgets
