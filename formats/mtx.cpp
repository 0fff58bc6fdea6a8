#include "formats/mtx.h"

#include <QStringDecoder>
#include <QStringList>

#include <cmath>

#include "astronomy/moon.h"
#include "formats/aaf.h"

namespace zeitrad::formats {

namespace {

// The lines of the file: UTF-8, else Windows-1252; CR LF, LF or CR; trailing blanks dropped.
QStringList linesOf(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError())
        text = fromWindows1252(view);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        while (line.endsWith(u' ') || line.endsWith(u'\t'))
            line.chop(1);
    return lines;
}

// "13.5", "13,5", "-7.25": a decimal number.
std::optional<double> number(QString text) {
    text = text.trimmed().replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> whole(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool isMtx(const QByteArray& bytes) {
    const QStringList lines = linesOf(bytes.left(4096));
    if (lines.isEmpty() || !lines[0].startsWith(u'#'))
        return false;
    if (lines[0].startsWith(QStringLiteral("#Maitreya"), Qt::CaseInsensitive))
        return true;
    if (lines[0].startsWith(QStringLiteral("#A93"), Qt::CaseInsensitive) || lines.size() < 11)
        return false;
    return whole(lines[2]) && whole(lines[3]) && whole(lines[4]) && number(lines[5]);
}

Refused<birth::Birth> readMtx(const QByteArray& bytes, int* faultLine) {
    const QStringList lines = linesOf(bytes);
    const auto refuse = [faultLine](int line, const QString& why) -> Refused<birth::Birth> {
        if (faultLine)
            *faultLine = line;
        return Refusal{QStringLiteral("Zeile %1: %2").arg(line).arg(why).toStdString()};
    };
    if (lines.isEmpty() || !lines[0].startsWith(u'#'))
        return refuse(1, QStringLiteral("Keine Maitreya-Datei: die erste Zeile beginnt nicht "
                                        "mit „#“."));
    if (lines.size() < 11)
        return refuse(int(lines.size()),
                      QStringLiteral("Die Datei endet nach %1 Zeilen; eine Maitreya-Datei hat "
                                     "mindestens 11 (Name, Tag, Monat, Jahr, Uhrzeit, Zone, "
                                     "Sommerzeit, Ort, Länge, Breite).")
                          .arg(lines.size()));
    birth::Birth b;
    b.surname = lines[1].trimmed();
    const std::optional<int> day = whole(lines[2]), month = whole(lines[3]), year = whole(lines[4]);
    if (!day || !month || !year || !QDate(*year, *month, *day).isValid())
        return refuse(3, QStringLiteral("Tag „%1“, Monat „%2“ und Jahr „%3“ sind kein Datum.")
                             .arg(lines[2].trimmed(), lines[3].trimmed(), lines[4].trimmed()));
    b.date = QDate(*year, *month, *day);
    if (*year < astronomy::firstYear || *year > astronomy::lastYear)
        return refuse(5, QStringLiteral("Das Jahr %1 liegt außerhalb des unterstützten Bereichs "
                                        "%2–%3.")
                             .arg(*year)
                             .arg(astronomy::firstYear)
                             .arg(astronomy::lastYear));
    const std::optional<double> hours = number(lines[5]);
    const qint64 seconds = hours ? std::llround(*hours * 3600) : -1;
    if (seconds < 0 || seconds >= 86400)
        return refuse(6, QStringLiteral("Die Uhrzeit „%1“ ist keine (Stunden von 0 bis unter "
                                        "24, etwa 13.5 für 13:30).")
                             .arg(lines[5].trimmed()));
    b.time = QTime::fromMSecsSinceStartOfDay(int(seconds * 1000));
    const std::optional<double> zone = number(lines[6]), summer = number(lines[7]);
    if (!zone || std::fabs(*zone) > 14)
        return refuse(7, QStringLiteral("Die Zone „%1“ ist keine (Stunden östlich von "
                                        "Greenwich, -12 bis 14).")
                             .arg(lines[6].trimmed()));
    if (!summer || std::fabs(*summer) > 2)
        return refuse(8, QStringLiteral("Die Sommerzeit „%1“ ist keine (0 bis 2 Stunden).")
                             .arg(lines[7].trimmed()));
    b.clocks = birth::Clocks::offset(int(std::llround((*zone + *summer) * 3600)));
    b.place = lines[8].trimmed();
    const std::optional<double> longitude = number(lines[9]), latitude = number(lines[10]);
    if (!longitude || std::fabs(*longitude) > 180)
        return refuse(10, QStringLiteral("Die Länge „%1“ ist keine (Grad, Ost positiv, bis 180).")
                              .arg(lines[9].trimmed()));
    if (!latitude || std::fabs(*latitude) > 90)
        return refuse(11, QStringLiteral("Die Breite „%1“ ist keine (Grad, Nord positiv, bis 90).")
                              .arg(lines[10].trimmed()));
    b.longitude = *longitude;
    b.latitude = *latitude;
    QStringList remark = lines.mid(11);
    while (!remark.isEmpty() && remark.last().isEmpty())
        remark.removeLast();
    b.note = remark.join(u'\n');
    while (b.note.toUtf8().size() > maxNoteBytes)
        b.note.chop(qMax<qsizetype>(1, (b.note.toUtf8().size() - maxNoteBytes) / 3));
    return b;
}

} // namespace zeitrad::formats
