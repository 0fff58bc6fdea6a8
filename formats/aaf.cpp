#include "formats/aaf.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "astronomy/moon.h"
#include "birth/moment.h"
#include "formats/privatefile.h"

namespace zeitrad::formats {

using birth::Birth;
using birth::Done;

namespace {

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes stand for the control characters of
// the same number, as Windows reads them.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr double unixEpochJulianDay = 2440587.5;
constexpr qint64 msPerDay = 86400000;

QString unknownIfStar(const QString& field) {
    return field == u"*" ? QString() : field;
}

QString starIfEmpty(QString field) {
    if (field.isEmpty())
        return QStringLiteral("*");
    // A field ends at a comma and no field may hold "#".
    field.replace(u',', u';');
    field.replace(u'#', u' ');
    field.replace(u'\n', u' ');
    return field;
}

QChar kindLetter(Birth::Kind kind) {
    switch (kind) {
    case Birth::Kind::Female:
        return u'f';
    case Birth::Kind::Male:
        return u'm';
    case Birth::Kind::Event:
        return u'e';
    case Birth::Kind::Person:
        break;
    }
    return u'*';
}

Birth::Kind kindOf(const QString& letter) {
    const QString l = letter.toLower();
    if (l == u"m")
        return Birth::Kind::Male;
    if (l == u"f" || l == u"w")
        return Birth::Kind::Female;
    if (l == u"e")
        return Birth::Kind::Event;
    return Birth::Kind::Person;
}

// "49n05", "8e11", "33s52", "151e12", "74w00", optionally with seconds "49n05:30".
std::optional<double> readAngle(const QString& text, const QString& positive,
                                const QString& negative, int limit) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,3})([a-zA-Z])(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString side = m.captured(2).toLower();
    if (!positive.contains(side) && !negative.contains(side))
        return std::nullopt;
    const int degrees = m.captured(1).toInt();
    const int minutes = m.captured(3).toInt();
    const int seconds = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    if (minutes >= 60 || seconds >= 60)
        return std::nullopt;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    if (value > limit)
        return std::nullopt;
    return negative.contains(side) ? -value : value;
}

QString writeAngle(double value, QChar positive, QChar negative) {
    const qint64 minutes = std::llround(std::fabs(value) * 60);
    return QStringLiteral("%1%2%3")
        .arg(minutes / 60)
        .arg(value < 0 ? negative : positive)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// "1he00" (an hour east of Greenwich), "5hw30", "1hE00:00", "1he" (no minutes), "00E00" and
// "0e21:28" (without the h, the mean time of a longitude with its seconds), in any case, up to 14
// hours: seconds east.
std::optional<int> readZoneDifference(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2})h?([ew])(\\d{1,2})?(?::(\\d{1,2}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(3).toInt();
    const int seconds = m.captured(4).toInt();
    if (hours > 14 || minutes >= 60 || seconds >= 60 ||
        (m.captured(3).isEmpty() && !m.captured(4).isEmpty()))
        return std::nullopt;
    const int east = hours * 3600 + minutes * 60 + seconds;
    if (east > 14 * 3600)
        return std::nullopt;
    return m.captured(2).toLower() == u"w" ? -east : east;
}

QString writeZoneDifference(int seconds) {
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1h%2%3")
        .arg(minutes / 60)
        .arg(QChar(seconds < 0 ? u'w' : u'e'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// What a #B93 line says, kept until the record ends (its #ZNAM may follow).
struct B93 {
    int line = 0;
    std::optional<double> julianDay;
    std::optional<int> zoneSeconds;   // the zone difference: standard time
    std::optional<int> summerSeconds; // none: not known
    bool localMeanTime = false;
};

struct Record {
    Birth birth;
    int line = 0;
    std::optional<B93> b93;
    QString zoneName;
    QString error; // set: the record is skipped
    int errorLine = 0;
    bool inComment = false;
    bool noteBegun = false;  // a #COM, #SRC or #VIA was read (the note may still be empty)
    qsizetype noteBytes = 0; // the note's length in UTF-8
    bool noteCut = false;    // the note reached maxNoteBytes; the rest is dropped

    void fail(int at, const QString& why) {
        if (error.isEmpty()) {
            error = why;
            errorLine = at;
        }
    }
};

// "24.12.1992", "01.02.1500", with a trailing g/G (Gregorian) or j/J (Julian calendar): the day, a
// Julian one turned into the calendar Zeitrad counts in. A day before 15.10.1582 without a mark
// is Julian, as the Gregorian calendar began then. An invalid QDate when the text is no day.
QDate readDate(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(-?\\d{1,4})([gjGJ]?)$"));
    const QRegularExpressionMatch d = pattern.match(text);
    if (!d.hasMatch())
        return {};
    const int year = d.captured(3).toInt(), month = d.captured(2).toInt(),
              day = d.captured(1).toInt();
    const QString mark = d.captured(4).toLower();
    const bool julian =
        mark == u"j" || (mark.isEmpty() && std::tuple(year, month, day) < std::tuple(1582, 10, 15));
    return julian ? QDate(year, month, day, QCalendar(QCalendar::System::Julian))
                  : QDate(year, month, day);
}

void readA93(Record& r, const QString& text) {
    QStringList f = text.split(u',');
    for (QString& field : f)
        field = field.trimmed();
    auto field = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };
    Birth& b = r.birth;
    // The name first: a record left out is reported with it. A surname "*" with the whole name
    // in the first-name field stays the one name it is.
    b.surname = unknownIfStar(field(0));
    b.firstName = unknownIfStar(field(1));
    if (f.size() < 7) {
        r.fail(r.line, QStringLiteral("Die #A93-Zeile hat %1 statt 7 Felder.").arg(f.size()));
        return;
    }
    // A place that holds commas ("Samokov, Bulgaria") makes more fields: the last is the country.
    b.kind = kindOf(field(2));
    b.place = unknownIfStar(f.mid(5, f.size() - 6).join(QStringLiteral(", ")));
    b.country = unknownIfStar(f.last());

    b.date = readDate(field(3));
    if (!b.date.isValid()) {
        r.fail(r.line,
               QStringLiteral("Das Datum „%1“ ist kein Tag (erwartet: T.M.JJJJ).").arg(field(3)));
        return;
    }
    if (b.date.year() < astronomy::firstYear || b.date.year() > astronomy::lastYear) {
        r.fail(r.line, QStringLiteral("Das Jahr %1 liegt außerhalb des unterstützten Bereichs "
                                      "%2–%3.")
                           .arg(b.date.year())
                           .arg(astronomy::firstYear)
                           .arg(astronomy::lastYear));
        return;
    }
    if (field(4) != u"*") {
        static const QRegularExpression timePattern(
            QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
        const QRegularExpressionMatch t = timePattern.match(field(4));
        QTime time;
        if (t.hasMatch())
            time = QTime(t.captured(1).toInt(), t.captured(2).toInt(),
                         t.captured(3).isEmpty() ? 0 : t.captured(3).toInt());
        if (!time.isValid()) {
            r.fail(
                r.line,
                QStringLiteral("Die Uhrzeit „%1“ gibt es nicht (erwartet: h:mm).").arg(field(4)));
            return;
        }
        b.time = time;
    }
}

void readB93(Record& r, const QString& text, int line) {
    const QStringList f = text.split(u',');
    if (f.size() < 4) {
        r.fail(line, QStringLiteral("Die #B93-Zeile hat %1 statt 5 Felder.").arg(f.size()));
        return;
    }
    auto field = [&f](int i) { return i < f.size() ? f.at(i).trimmed() : QStringLiteral("*"); };
    B93 b93;
    b93.line = line;
    if (field(0) != u"*") {
        bool ok = false;
        const double jd = field(0).toDouble(&ok);
        // From 4713 BC to AD 9999.
        if (!ok || !std::isfinite(jd) || jd < 0 || jd > 5373484.5) {
            r.fail(line, QStringLiteral("Der Julianische Tag „%1“ ist keine Zahl im Kalender.")
                             .arg(field(0)));
            return;
        }
        b93.julianDay = jd;
    }
    if (field(1) != u"*") {
        r.birth.latitude = readAngle(field(1), QStringLiteral("n"), QStringLiteral("s"), 90);
        if (!r.birth.latitude) {
            r.fail(
                line,
                QStringLiteral(
                    "Die Breite „%1“ ist keine Breite zwischen 90° Nord und 90° Süd (etwa 49n05).")
                    .arg(field(1)));
            return;
        }
    }
    if (field(2) != u"*") {
        r.birth.longitude = readAngle(field(2), QStringLiteral("eo"), QStringLiteral("w"), 180);
        if (!r.birth.longitude) {
            r.fail(
                line,
                QStringLiteral(
                    "Die Länge „%1“ ist keine Länge zwischen 180° Ost und 180° West (etwa 8e11).")
                    .arg(field(2)));
            return;
        }
    }
    if (field(3) != u"*") {
        b93.zoneSeconds = readZoneDifference(field(3));
        if (!b93.zoneSeconds) {
            r.fail(line, QStringLiteral("Die Zonendifferenz „%1“ ist keine (etwa 1he00, 5hw30 "
                                        "oder 0e21:28).")
                             .arg(field(3)));
            return;
        }
    }
    // 0, 1 (or 2) hours of summer time, "*" not known (the zone's rules decide), L local mean
    // time at the longitude.
    const QString summer = field(4).toLower();
    if (summer == u"l") {
        b93.localMeanTime = true;
        if (!r.birth.longitude) {
            r.fail(line, QStringLiteral("Ortszeit (L) ohne geographische Länge."));
            return;
        }
    } else if (summer == u"0" || summer == u"1" || summer == u"2") {
        b93.summerSeconds = summer.toInt() * 3600;
    } else if (summer != u"*" && !summer.isEmpty()) {
        r.fail(line,
               QStringLiteral("Die Sommerzeit „%1“ ist keine (0, 1, *, oder L).").arg(field(4)));
        return;
    }
    r.b93 = b93;
}

// What the atlas and the Julian day still have to say of a birth that was read.
void finish(Record& r, AafRead& out) {
    AafPending pending;
    if (r.error.isEmpty() && r.b93) {
        Birth& b = r.birth;
        const B93& b93 = *r.b93;
        if (b93.localMeanTime)
            b.clocks = birth::Clocks::meanTime();
        else if (b93.zoneSeconds && b93.summerSeconds)
            b.clocks = birth::Clocks::offset(*b93.zoneSeconds + *b93.summerSeconds);
        else
            pending.standardOffset = b93.zoneSeconds; // the zone's rules decide, if known
        if (!r.zoneName.isEmpty() && !b93.localMeanTime &&
            QTimeZone::isTimeZoneIdAvailable(r.zoneName.toUtf8()))
            b.clocks = birth::Clocks::fromText(r.zoneName);
        pending.julianDay = b93.julianDay;
        pending.julianDayLine = b93.line;
    }
    if (!r.error.isEmpty()) {
        out.skipped.append({r.errorLine, r.error, r.birth.name()});
        return;
    }
    out.births.append(r.birth);
    out.lines.append(r.line);
    out.pending.append(pending);
}

// The length of the text in UTF-8, and how much of it fits into `room` bytes without splitting a
// character.
struct Utf8Fit {
    qsizetype bytes = 0;
    qsizetype fitting = 0; // UTF-16 units
};

Utf8Fit utf8Fit(QStringView text, qsizetype room) {
    Utf8Fit fit;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        qsizetype units = 1;
        qsizetype bytes = u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            units = 2;
            bytes = 4;
        }
        fit.bytes += bytes;
        if (fit.bytes <= room)
            fit.fitting = i + units;
        i += units - 1;
    }
    return fit;
}

// Adds to the birth's note up to maxNoteBytes; what goes beyond is dropped, once noted.
void addToNote(Record& r, const QString& piece) {
    if (r.noteCut)
        return;
    const Utf8Fit fit = utf8Fit(piece, maxNoteBytes - r.noteBytes);
    if (r.noteBytes + fit.bytes <= maxNoteBytes) {
        r.birth.note += piece;
        r.noteBytes += fit.bytes;
        return;
    }
    r.birth.note += QStringView(piece).first(fit.fitting);
    r.noteCut = true;
}

} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        text.append(QChar(u >= 0x80 && u < 0xA0 ? windows1252High[u - 0x80] : char16_t(u)));
    }
    return text;
}

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t u = text[at].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
            continue;
        }
        // A character beyond the Basic Multilingual Plane is two UTF-16 units, and one "?".
        if (QChar::isHighSurrogate(u) && at + 1 < text.size() &&
            QChar::isLowSurrogate(text[at + 1].unicode()))
            ++at;
        char out = '?';
        for (int i = 0; i < 32; ++i)
            if (windows1252High[i] == u)
                out = char(0x80 + i);
        bytes.append(out);
    }
    return bytes;
}

void takeJulianDay(AafRead& read, qsizetype i) {
    Birth& b = read.births[i];
    const AafPending& pending = read.pending[i];
    if (!pending.julianDay || !b.time || !b.clocks)
        return;
    const double utc = (*pending.julianDay - unixEpochJulianDay) * msPerDay;
    const Refused<double> clock = birth::birthUtcMSecs(b);
    const double* fromClock = std::get_if<double>(&clock);
    if (fromClock && std::fabs(*fromClock - utc) <= 60000)
        return;
    // The clocks' offset at that moment: as the clock reading gives it, or where the clocks
    // skipped that reading, as the clocks give it at the Julian day.
    double offsetMs = 0;
    if (fromClock)
        offsetMs = double(birth::localAsUtcMSecs(b.date, *b.time)) - *fromClock;
    else if (b.clocks->isMeanTime() && b.longitude)
        offsetMs = *b.longitude * 240.0 * 1000;
    else if (b.clocks->isOffset())
        offsetMs = b.clocks->offsetSeconds() * 1000.0;
    else if (b.clocks->isZone() && b.clocks->known())
        offsetMs =
            QTimeZone(b.clocks->zoneId().toUtf8())
                .offsetFromUtc(QDateTime::fromMSecsSinceEpoch(qint64(utc), QTimeZone::utc())) *
            1000.0;
    else
        return;
    const qint64 local = std::llround((utc + offsetMs) / 1000.0) * 1000;
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(local, QTimeZone::utc());
    if (moment.date().year() < astronomy::firstYear || moment.date().year() > astronomy::lastYear)
        return;
    const QString before = b.date.toString(QStringLiteral("d.M.yyyy")) + u' ' +
                           b.time->toString(QStringLiteral("H:mm:ss"));
    const double minutes = fromClock ? std::fabs(*fromClock - utc) / 60000 : 0;
    b.date = moment.date();
    b.time = moment.time();
    read.remarks.append(
        {read.lines[i],
         QStringLiteral("Der Julianische Tag %1 (Zeile %2) hat Vorrang vor der Uhrzeit %3%4; "
                        "aufgenommen ist %5.")
             .arg(QString::number(*pending.julianDay, 'f', 5))
             .arg(pending.julianDayLine)
             .arg(before,
                  fromClock ? QStringLiteral(", die %1 Minuten davon abweicht")
                                  .arg(QString::number(std::round(minutes * 10) / 10, 'g', 6)
                                           .replace(u'.', u','))
                            : QStringLiteral(", die es auf den Uhren nicht gab"),
                  b.date.toString(QStringLiteral("d.M.yyyy")) + u' ' +
                      b.time->toString(QStringLiteral("H:mm:ss")))});
}

AafRead readAaf(const QByteArray& bytes, const birth::Progress& progress) {
    AafRead out;
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError()) {
        text = fromWindows1252(view);
        out.encoding = AafEncoding::Windows1252;
    }
    // Lines end with CR LF or LF; in a file without a line feed, as older Macs wrote them, with
    // CR alone (elsewhere a CR within a line is part of its field).
    if (!text.contains(u'\n'))
        text.replace(u'\r', u'\n');

    std::optional<Record> record;
    // The record ends: into the births or the skipped ones; a birth whose note was cut says so.
    auto close = [&out](Record& r) {
        const qsizetype read = out.births.size();
        finish(r, out);
        if (r.noteCut && out.births.size() > read)
            out.remarks.append(
                {r.line, QStringLiteral("Die Notiz ist länger als 64 KiB; aufgenommen ist ihr "
                                        "Anfang, der Rest fehlt.")});
    };
    int lineNumber = 0;
    const qsizetype lines = progress ? text.count(u'\n') + 1 : 0;
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (progress && lineNumber % 4096 == 0 && !progress(lineNumber, lines)) {
            out.cancelled = true;
            return out;
        }
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        while (line.endsWith(u' ') || line.endsWith(u'\t'))
            line.chop(1);
        if (!line.startsWith(u'#')) {
            // A comment goes on over the lines that do not begin a chunk (empty ones aside).
            if (record && record->inComment && !line.isEmpty())
                addToNote(*record, u'\n' + line.toString());
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        const QString tag = (colon < 0 ? line : line.first(colon)).toString().toUpper();
        const QString value = colon < 0 ? QString() : line.sliced(colon + 1).toString();
        if (tag == u"#A93") {
            if (record)
                close(*record);
            record.emplace();
            record->line = lineNumber;
            readA93(*record, value);
            continue;
        }
        if (!record)
            continue;
        record->inComment = false;
        if (tag == u"#B93") {
            if (record->b93)
                record->fail(lineNumber, QStringLiteral("Der Satz hat zwei #B93-Zeilen."));
            else
                readB93(*record, value, lineNumber);
        } else if (tag == u"#ZNAM") {
            record->zoneName = value.trimmed();
        } else if (tag == u"#COM" || tag == u"#SRC" || tag == u"#VIA") {
            // Each begins a line of the note, also after an empty one.
            QString piece = record->noteBegun ? QStringLiteral("\n") : QString();
            if (tag == u"#SRC")
                piece += QStringLiteral("Quelle: ");
            else if (tag == u"#VIA")
                piece += QStringLiteral("Über: ");
            // Without a value, "Quelle:" alone: a note's line never ends in a blank, as none
            // read from a file does, so that the note comes back the same.
            piece += value;
            while (piece.endsWith(u' '))
                piece.chop(1);
            addToNote(*record, piece);
            record->noteBegun = true;
            record->inComment = true;
        }
        // Computed chunks (#LPOS, #HPOS, #ASP, ...) and others are worked out anew.
    }
    if (record)
        close(*record);
    for (qsizetype i = 0; i < out.births.size(); ++i)
        takeJulianDay(out, i);
    std::stable_sort(out.remarks.begin(), out.remarks.end(),
                     [](const AafRemark& a, const AafRemark& b) { return a.line < b.line; });
    return out;
}

QByteArray writeAaf(const QList<Birth>& births, AafEncoding encoding) {
    QString text;
    for (const Birth& b : births) {
        text += QStringLiteral("#A93:%1,%2,%3,%4,%5,%6,%7\r\n")
                    .arg(starIfEmpty(b.surname), starIfEmpty(b.firstName), kindLetter(b.kind),
                         b.date.toString(QStringLiteral("d.M.yyyy")),
                         !b.time            ? QStringLiteral("*")
                         : b.time->second() ? b.time->toString(QStringLiteral("H:mm:ss"))
                                            : b.time->toString(QStringLiteral("H:mm")),
                         starIfEmpty(b.place), starIfEmpty(b.country));
        if (b.latitude && b.longitude && b.clocks) {
            QString julianDay = QStringLiteral("*");
            QString zoneField = QStringLiteral("*");
            QString summer = QStringLiteral("0");
            // The moment Zeitrad reckons with (the place's own mean time where the zone kept
            // local mean time); for an unknown time its noon gives the zone difference.
            const Refused<double> moment = birth::birthUtcMSecs(b);
            const double* utc = std::get_if<double>(&moment);
            if (b.clocks->isMeanTime()) {
                summer = QStringLiteral("L");
            } else if (utc) {
                const int offset = int(std::llround(
                    (birth::localAsUtcMSecs(b.date, b.time.value_or(QTime(12, 0))) - *utc) /
                    1000.0));
                // A fixed offset is the zone difference alone; a zone's splits into its standard
                // time and summer time.
                const int standard = b.clocks->isOffset()
                                         ? offset
                                         : QTimeZone(b.clocks->zoneId().toUtf8())
                                               .standardTimeOffset(QDateTime::fromMSecsSinceEpoch(
                                                   qint64(*utc), QTimeZone::utc()));
                const int summerSeconds = offset - standard;
                if (summerSeconds == 0 || summerSeconds == 3600 || summerSeconds == 7200) {
                    zoneField = writeZoneDifference(standard);
                    summer = QString::number(summerSeconds / 3600);
                } else {
                    zoneField = writeZoneDifference(offset);
                }
            }
            if (utc && b.time)
                julianDay = QString::asprintf("%013.5f", unixEpochJulianDay + *utc / msPerDay);
            text += QStringLiteral("#B93:%1,%2,%3,%4,%5\r\n")
                        .arg(julianDay, writeAngle(*b.latitude, u'n', u's'),
                             writeAngle(*b.longitude, u'e', u'w'), zoneField, summer);
            if (b.clocks->isZone())
                text += QStringLiteral("#ZNAM:%1\r\n").arg(b.clocks->zoneId());
        }
        if (!b.note.isEmpty())
            for (const QString& line : b.note.split(u'\n'))
                text += QStringLiteral("#COM:%1\r\n").arg(line);
    }
    return encoding == AafEncoding::Utf8 ? text.toUtf8() : toWindows1252(text);
}

Refused<Done> saveAaf(const QString& path, const QList<Birth>& births, AafEncoding encoding) {
    return savePrivately(path, writeAaf(births, encoding));
}

} // namespace zeitrad::formats
