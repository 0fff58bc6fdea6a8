#include "birth/clocks.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <cstdlib>

namespace zeitrad::birth {

std::optional<Clocks> Clocks::fromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.compare(QLatin1StringView("LMT"), Qt::CaseInsensitive) == 0)
        return meanTime();
    if (t.compare(QLatin1StringView("UTC"), Qt::CaseInsensitive) == 0)
        return utc();
    static const QRegularExpression offsetPattern(
        QStringLiteral("^UTC([+-])(\\d{1,2})(?::(\\d{2}))?(?::(\\d{2}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = offsetPattern.match(t); m.hasMatch()) {
        const int hours = m.captured(2).toInt(), minutes = m.captured(3).toInt(),
                  seconds = m.captured(4).toInt();
        if (hours <= 14 && minutes < 60 && seconds < 60) {
            const int east = hours * 3600 + minutes * 60 + seconds;
            return offset(m.captured(1) == u"-" ? -east : east);
        }
    }
    return zone(t);
}

bool Clocks::known() const {
    return !isZone() || QTimeZone(zoneId_.toLatin1()).isValid();
}

QString Clocks::text() const {
    switch (kind_) {
    case Kind::Zone:
        return zoneId_;
    case Kind::MeanTime:
        return QStringLiteral("LMT");
    case Kind::Offset:
        break;
    }
    if (offsetSeconds_ == 0)
        return QStringLiteral("UTC");
    const int s = std::abs(offsetSeconds_);
    QString text = QStringLiteral("UTC%1%2:%3")
                       .arg(QChar(offsetSeconds_ < 0 ? u'-' : u'+'))
                       .arg(s / 3600, 2, 10, QLatin1Char('0'))
                       .arg(s % 3600 / 60, 2, 10, QLatin1Char('0'));
    if (s % 60 != 0)
        text += QStringLiteral(":%1").arg(s % 60, 2, 10, QLatin1Char('0'));
    return text;
}

} // namespace zeitrad::birth
