// The atlas of birth places: a town's time zone and coordinates from its German or English name.
// The interface lives here, in the birth library, so that the window and zeitrad-dasa both ask
// it; the atlas itself (on libgeonames, GLib and GIO) is the plugin "atlas", loaded on first use:
//   zeitrad::pluginloader::plugin<zeitrad::birth::Atlas>(QStringLiteral("atlas"))
#pragma once

#include <QList>
#include <QString>
#include <QtPlugin>
#include <QVariantMap>

#include <optional>

namespace zeitrad::birth {

// A town of the atlas, its names in German where the atlas has them.
struct Place {
    QString name;         // German name ("München"), else the atlas's own (English) name
    QString state;        // German name of the state or province, may be empty
    QString country;      // German name of the country
    QString countryCode;  // ISO 3166 code, "DE"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    QString zoneId;       // IANA time zone, "Europe/Berlin"
    qint64 population = 0;

    // "München, Bayern, Deutschland"; a state named like the town is left out ("Wien, Österreich").
    QString label() const;
    // "48° 08′ N, 11° 35′ O"
    QString coordinates() const { return coordinateText(latitude, longitude); }

    // The place as settings keep it, and back; no value for a map that holds no place.
    QVariantMap toVariant() const;
    static std::optional<Place> fromVariant(const QVariantMap& map);

    static QString coordinateText(double latitude, double longitude);
    // "48° 08′ N" / "33° 52′ S", to the nearest arc minute.
    static QString latitudeText(double latitude);
    // "11° 35′ O" / "0° 07′ W", to the nearest arc minute.
    static QString longitudeText(double longitude);
};

bool operator==(const Place& a, const Place& b);

// Both queries may be asked from any thread, also at once. The first one builds the atlas and may
// take a tenth of a second; later ones take microseconds.
class Atlas {
public:
    virtual ~Atlas() = default;
    // The places whose German or English name begins with the typed text, ignoring case, and
    // accents unless typed ("koln", "Köln" and "Koeln" find Köln; "Mü" finds München but not
    // Mumbai), most populous first, at most limit of them.
    virtual QList<Place> find(const QString& typed, int limit = 10) = 0;
    // The most populous place with exactly this name (ignoring case and accents, "St." and
    // "Sankt" alike), in the country or state the qualifier names (German or English name, or the
    // country code) when it is not empty: exact("Frankfurt am Main", ""), exact("Ravensburg",
    // "Deutschland"). Where none has it, the most populous whose name goes on with a qualifier
    // (" am ", " im ", " an der ", " (", " ob der ", "/"), also of an abbreviation:
    // exact("Frankfurt") and exact("Frankfurt a. M.") are Frankfurt am Main, exact("Halle", "DE")
    // Halle (Saale). find() lists those when no name begins with the typed text.
    virtual std::optional<Place> exact(const QString& name, const QString& qualifier = {}) = 0;
};

// The atlas's word for a name a user typed: lower case, accents and ß taken off.
QString foldedName(const QString& name);

} // namespace zeitrad::birth

#define ZeitradAtlas_iid "de.zeitrad.Atlas/1.0"
Q_DECLARE_INTERFACE(zeitrad::birth::Atlas, ZeitradAtlas_iid)
