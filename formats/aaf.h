// AAF, the exchange format of German-speaking astrology: a text file of records, each beginning
// with an #A93 line (surname, first name, kind, date, local time, place, country; "*" for what is
// not known), optionally followed by #B93 (Julian day in Universal Time, latitude such as 49n05,
// longitude such as 8e11, zone difference such as 1he00, summer time 0/1/*, or L for local mean
// time), #ZNAM, #COM (continued on lines that do not start with "#"), #SRC, #VIA, "#:" comments
// and computed chunks, which are passed over. Read as other programs write it: any case, seconds
// and leading zeros in the angles, zone differences with or without h and minutes ("1hE00:00",
// "1he", "0e21:28"), dates with a calendar mark (Julian ones converted), a place holding commas
// (the last field is the country), CR LF, LF or CR, trailing blanks. Written in the definition's
// plain shape.
//
// AAF has no place for the ayanamsa a birth of the register keeps: it is not written (a field of
// Zeitrad's own would be one that other programs do not know, and putting it into #COM would
// change the note that comes back), and a birth read has Zeitrad's own. The Julian day of #B93 is
// the same under every ayanamsa.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#include "birth/birth.h"
#include "birth/register.h"

namespace zeitrad::formats {

enum class AafEncoding { Utf8, Windows1252 };

// A record left out, with the line of its fault (from 1), the German reason and the name its
// #A93 gives ("Nachname, Vorname"; empty when it gives none).
struct AafSkip {
    int line = 0;
    QString reason;
    QString name;
    friend bool operator==(const AafSkip&, const AafSkip&) = default;
};

// What a reader should know of a birth that was read: the line of its #A93 and the German remark.
struct AafRemark {
    int line = 0;
    QString text;
    friend bool operator==(const AafRemark&, const AafRemark&) = default;
};

// The longest note a birth keeps (#COM, its continuation lines, #SRC and #VIA together), in UTF-8
// bytes: the rest is dropped, and a remark says so.
inline constexpr qsizetype maxNoteBytes = 64 * 1024;

// What a birth that was read still waits for: the Julian day of its #B93 (the moment, which has
// precedence over the clock once the clocks are known) and, where the summer time or the zone
// difference was not known ("*"), the zone difference given, to fall back on when the atlas does
// not know the place's zone.
struct AafPending {
    std::optional<double> julianDay;
    int julianDayLine = 0;
    std::optional<int> standardOffset; // seconds east
};

struct AafRead {
    QList<birth::Birth> births; // the good records in file order; without #B93 no coordinates/zone
    QList<int> lines;           // the line of each birth's #A93
    QList<AafPending> pending;  // of each birth
    QList<AafSkip> skipped;
    // Of births that were read, in file order: a note cut short, a local time that the Julian day
    // changed, a place or zone taken from the atlas.
    QList<AafRemark> remarks;
    AafEncoding encoding = AafEncoding::Utf8; // as detected
    bool cancelled = false;                   // the progress said stop
};

// Reads a whole file (as formats::readBounded gives it): UTF-8 when the bytes are valid UTF-8,
// Windows-1252 otherwise. `progress` hears of the lines read now and then; when it cancels, the
// read ends there with `cancelled` set.
AafRead readAaf(const QByteArray& bytes, const birth::Progress& progress = {});

// The Julian day of birth `i` has precedence, once its clocks are known: when its local time on
// those clocks stands for a moment more than a minute away from it, the local time becomes the
// Julian day's moment on the clocks, and a remark says so. readAaf() does this for the births
// whose #B93 names their clocks, placeFromAtlas() for those whose zone the atlas gives.
void takeJulianDay(AafRead& read, qsizetype i);

// The births as an AAF file (with #B93 where coordinates and clocks are known). Characters that
// Windows-1252 cannot hold are written as "?".
QByteArray writeAaf(const QList<birth::Birth>& births, AafEncoding encoding = AafEncoding::Utf8);

// The births written to an AAF file as writeAaf gives them, through formats::savePrivately:
// readable by the owner alone (birth data is personal), and changed only when complete; refused,
// with the German reason, an earlier file of that name stays as it was.
Refused<birth::Done> saveAaf(const QString& path, const QList<birth::Birth>& births,
                             AafEncoding encoding = AafEncoding::Utf8);

// Windows-1252 both ways, without a codec library. A character that Windows-1252 cannot hold
// becomes one "?" (also one outside the Basic Multilingual Plane).
QString fromWindows1252(QByteArrayView bytes);
QByteArray toWindows1252(QStringView text);

} // namespace zeitrad::formats
