#include "birth/event.h"

#include <QRegularExpression>

#include <algorithm>

namespace zeitrad::birth {

QString weightText(bool important) {
    return important ? QStringLiteral("wichtig") : QStringLiteral("normal");
}

void sortEvents(QList<Event>& events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        if (a.date != b.date)
            return a.date < b.date;
        if (a.time.has_value() != b.time.has_value())
            return !a.time.has_value();
        return a.time && *a.time < *b.time;
    });
}

Refused<Event> eventOfText(const QString& typed) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{1,4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?(?:\s+(.*))?$)"));
    const QRegularExpressionMatch m = form.match(typed);
    if (!m.hasMatch())
        return Refusal{
            ("Das Ereignis „" + typed + "“ lässt sich nicht lesen (erwartet: T.M.J [H:MM] Text).")
                .toStdString()};
    Event e;
    e.date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!e.date.isValid())
        return Refusal{("Das Datum des Ereignisses „" + typed + "“ ist kein Tag.").toStdString()};
    if (m.capturedLength(4) > 0) {
        const QTime t(m.captured(4).toInt(), m.captured(5).toInt(),
                      m.capturedLength(6) > 0 ? m.captured(6).toInt() : 0);
        if (!t.isValid())
            return Refusal{
                ("Die Uhrzeit des Ereignisses „" + typed + "“ ist keine.").toStdString()};
        e.time = t;
    }
    e.text = m.captured(7).trimmed();
    if (e.text.isEmpty())
        return Refusal{("Das Ereignis „" + typed.trimmed() + "“ braucht einen Text nach dem Datum.")
                           .toStdString()};
    return e;
}

} // namespace zeitrad::birth
