#include "atlas/geonamesatlas.h"

#include "atlas/catalogue.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <dlfcn.h>
#include <geonames.h>
#include <string_view>

namespace zeitrad::atlas {

using birth::foldedName;
using birth::Place;

namespace {

QString catalogue(const char* language) {
    return QStandardPaths::locate(
        QStandardPaths::GenericDataLocation,
        QStringLiteral("locale/%1/LC_MESSAGES/geonames.mo").arg(QLatin1String(language)));
}

// German names as typed without umlauts: "Köln" -> "Koeln", "Düsseldorf" -> "Duesseldorf".
QString transliterated(const QString& name) {
    QString out = name;
    out.replace(QChar(0xE4), QStringLiteral("ae")).replace(QChar(0xC4), QStringLiteral("Ae"));
    out.replace(QChar(0xF6), QStringLiteral("oe")).replace(QChar(0xD6), QStringLiteral("Oe"));
    out.replace(QChar(0xFC), QStringLiteral("ue")).replace(QChar(0xDC), QStringLiteral("Ue"));
    return out;
}

QString utf8(const gchar* text) {
    return QString::fromUtf8(text ? text : "");
}

// The order of the atlas's keys by their folded names, for finding a name's first key.
template <typename Key> bool foldedBefore(const Key& key, const QString& folded) {
    return key.folded < folded;
}

// A folded name as people also write it: "St." and "Sankt" are the same word.
QStringList spellings(const QString& folded) {
    QStringList out{folded};
    static const QRegularExpression st(QStringLiteral("(^|[ -])st(?:\\. ?| )(?=\\w)"));
    static const QRegularExpression sankt(QStringLiteral("(^|[ -])sankt(?=[ -])"));
    QString other = folded;
    other.replace(st, QStringLiteral("\\1sankt "));
    if (other == folded) {
        other.replace(sankt, QStringLiteral("\\1st."));
    }
    if (other != folded)
        out << other;
    return out;
}

// A town's name after the name people use for it: "frankfurt am main" after "frankfurt", "halle
// (saale)" after "halle", "mulheim an der ruhr" after "mulheim". Of an abbreviated qualifier
// ("frankfurt/m.", "frankfurt a. m.", "freiburg i. br.") the base and the letters that begin the
// qualifier's word.
struct Qualified {
    QString base, initials;
};

Qualified qualifiedOf(const QString& folded) {
    static const QRegularExpression shortened(
        QStringLiteral("^(.+?)(?: ?/ ?| (?:a|i|am|im|an der|ob der)\\. ?| (?:a|i)\\.(?=\\w)| "
                       "\\()(\\w+)\\.?\\)?$"));
    const QRegularExpressionMatch m = shortened.match(folded);
    if (m.hasMatch())
        return {m.captured(1), m.captured(2)};
    return {folded, {}};
}

bool follows(const QString& key, const Qualified& q) {
    if (key.size() <= q.base.size() || !key.startsWith(q.base))
        return false;
    const QStringView rest = QStringView(key).sliced(q.base.size());
    for (const QStringView lead : {u" am ", u" im ", u" an der ", u" (", u" ob der ", u"/"}) {
        if (rest.startsWith(lead))
            return rest.sliced(lead.size()).startsWith(q.initials);
    }
    return false;
}

// One town of libgeonames, read from its record as stored, not through the accessors that
// translate into the process's locale.
struct Record {
    QByteArray id, admin1;
    QString name, state, countryCode, country, zone;
    quint32 population = 0;
    double latitude = 0, longitude = 0;
};

Record record(int index) {
    Record r;
    GeonamesCity* city = geonames_get_city(index);
    if (!city)
        return r;
    if (g_variant_is_of_type(city, G_VARIANT_TYPE("(sssssssudd)"))) {
        // Field by field: much quicker than g_variant_get() with its format string.
        const auto field = [city](gsize i) { return g_variant_get_child_value(city, i); };
        const auto text = [&field](gsize i) {
            GVariant* child = field(i);
            gsize length = 0;
            const gchar* value = g_variant_get_string(child, &length);
            QByteArray bytes(value, qsizetype(length));
            g_variant_unref(child);
            return bytes;
        };
        const auto number = [&field](gsize i, auto get) {
            GVariant* child = field(i);
            const auto value = get(child);
            g_variant_unref(child);
            return value;
        };
        r.id = text(0);
        r.name = QString::fromUtf8(text(1));
        r.admin1 = text(2);
        r.state = QString::fromUtf8(text(3));
        r.countryCode = QString::fromUtf8(text(4));
        r.country = QString::fromUtf8(text(5));
        r.zone = QString::fromUtf8(text(6));
        r.population = number(7, g_variant_get_uint32);
        r.latitude = number(8, g_variant_get_double);
        r.longitude = number(9, g_variant_get_double);
    } else {
        // A later layout of the record: the accessors, in whatever language they give.
        r.name = utf8(geonames_city_get_name(city));
        r.state = utf8(geonames_city_get_state(city));
        r.countryCode = utf8(geonames_city_get_country_code(city));
        r.country = utf8(geonames_city_get_country(city));
        r.zone = utf8(geonames_city_get_timezone(city));
        r.population = geonames_city_get_population(city);
        r.latitude = geonames_city_get_latitude(city);
        r.longitude = geonames_city_get_longitude(city);
    }
    geonames_city_free(city);
    return r;
}

} // namespace

GeonamesAtlas::GeonamesAtlas() : GeonamesAtlas(catalogue("de"), catalogue("en")) {}

GeonamesAtlas::GeonamesAtlas(const QString& germanCatalogue, const QString& englishCatalogue)
    : germanCatalogue_(germanCatalogue), englishCatalogue_(englishCatalogue) {}

GeonamesAtlas::~GeonamesAtlas() {
    if (!indexText_.empty())
        indexFile_.unmap(reinterpret_cast<uchar*>(const_cast<char*>(indexText_.data())));
}

int GeonamesAtlas::size() {
    std::call_once(loaded_, &GeonamesAtlas::load, this);
    return int(places_.size());
}

void GeonamesAtlas::load() {
    const QHash<QByteArray, QString> german = readCatalogue(germanCatalogue_);
    const QHash<QByteArray, QString> english = readCatalogue(englishCatalogue_);
    const int count = geonames_get_n_cities();
    places_.reserve(size_t(count));
    qualifiers_.reserve(size_t(count));
    keys_.reserve(size_t(count) * 2);
    QHash<QString, QString> folds;
    for (int i = 0; i < count; ++i) {
        const Record r = record(i);
        if (r.name.isEmpty() || r.zone.isEmpty())
            continue;
        const QByteArray code = r.countryCode.toUtf8();
        const QByteArray stateId = code + '.' + r.admin1;
        Place place;
        place.name = german.value(r.id, r.name);
        place.state = r.admin1.isEmpty() ? r.state : german.value(stateId, r.state);
        place.country = german.value(code, r.country);
        place.countryCode = r.countryCode;
        place.latitude = r.latitude;
        place.longitude = r.longitude;
        place.zoneId = r.zone;
        place.population = r.population;

        const int index = int(places_.size());
        const QString englishName = english.value(r.id, r.name);
        QStringList names{place.name};
        for (const QString& other : {transliterated(place.name), r.name, englishName})
            if (!names.contains(other))
                names << other;
        QStringList keys;
        for (const QString& n : names) {
            const QString key = foldedName(n);
            if (!keys.contains(key)) {
                keys << key;
                keys_.push_back({key, n.toCaseFolded().simplified(), index});
            }
        }
        // States and countries repeat: each folded once.
        const auto fold = [&folds](const QString& text) {
            auto it = folds.constFind(text);
            if (it == folds.constEnd())
                it = folds.insert(text, foldedName(text));
            return *it;
        };
        qualifiers_.push_back({fold(place.state), fold(r.state), fold(place.country),
                               fold(r.country), r.countryCode.toCaseFolded()});
        places_.push_back(std::move(place));
    }
    std::sort(keys_.begin(), keys_.end(),
              [](const Key& a, const Key& b) { return a.folded < b.folded; });
    built_ = true;
}

// The index of exact(): a first line naming the data it was written from, then one line per
// folded name of a town, sorted by its UTF-8 bytes: the name and the town's fields and
// qualifiers, separated by tabs. Read by binary search in the mapped file, without parsing it.
namespace {

constexpr char separator = '\t', qualifierSeparator = '\x1f';

QByteArray field(const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes.replace(separator, ' ').replace('\n', ' ').replace(qualifierSeparator, ' ');
    return bytes;
}

} // namespace

QString GeonamesAtlas::fingerprint() const {
    // The data lies in libgeonames itself.
    Dl_info library{};
    const QString data =
        dladdr(reinterpret_cast<void*>(&geonames_get_n_cities), &library) && library.dli_fname
            ? QString::fromLocal8Bit(library.dli_fname)
            : QString();
    QStringList parts{QStringLiteral("zeitrad-atlas-exact 1")};
    for (const QString& path : {data, germanCatalogue_, englishCatalogue_}) {
        const QFileInfo file(path);
        parts << QFileInfo(file.canonicalFilePath()).filePath() << QString::number(file.size())
              << QString::number(file.lastModified().toMSecsSinceEpoch());
    }
    return parts.join(QLatin1Char(' '));
}

void GeonamesAtlas::writeExactIndex() const {
    std::vector<QByteArray> lines;
    lines.reserve(keys_.size());
    for (const Key& key : keys_) {
        const Place& p = places_[size_t(key.place)];
        QByteArray qualifiers;
        for (const QString& q : qualifiers_[size_t(key.place)])
            qualifiers += field(q) + qualifierSeparator;
        lines.push_back(field(key.folded) + separator + field(p.name) + separator + field(p.state) +
                        separator + field(p.country) + separator + field(p.countryCode) +
                        separator + QByteArray::number(p.latitude, 'g', 17) + separator +
                        QByteArray::number(p.longitude, 'g', 17) + separator + field(p.zoneId) +
                        separator + QByteArray::number(p.population) + separator + qualifiers +
                        '\n');
    }
    std::sort(lines.begin(), lines.end()); // bytes, as the lookup compares
    QDir().mkpath(QFileInfo(exactIndex_).path());
    QSaveFile out(exactIndex_);
    if (!out.open(QIODevice::WriteOnly))
        return; // no index: the next run builds the atlas again
    out.write(fingerprint().toUtf8() + '\n');
    for (const QByteArray& line : lines)
        out.write(line);
    out.commit();
}

void GeonamesAtlas::openExactIndex() {
    indexFile_.setFileName(exactIndex_);
    if (!indexFile_.open(QIODevice::ReadOnly))
        return;
    const qint64 size = indexFile_.size();
    uchar* mapped = size > 0 ? indexFile_.map(0, size) : nullptr;
    const std::string_view text(reinterpret_cast<const char*>(mapped), mapped ? size_t(size) : 0);
    const QByteArray header = fingerprint().toUtf8() + '\n';
    if (!mapped || !text.starts_with(std::string_view(header.constData(), size_t(header.size()))) ||
        !text.ends_with('\n')) {
        // Written from other data, or cut short: not to be trusted.
        if (mapped)
            indexFile_.unmap(mapped);
        indexFile_.close();
        return;
    }
    indexText_ = text;
    indexHeader_ = size_t(header.size());
}

std::optional<std::optional<Place>>
GeonamesAtlas::exactFromIndex(const QString& folded, const QString& within, bool qualified) const {
    if (indexText_.empty())
        return std::nullopt;
    const std::string_view text = indexText_;
    const Qualified q = qualified ? qualifiedOf(folded) : Qualified{folded, {}};
    const QByteArray targetBytes = q.base.toUtf8();
    const std::string_view target(targetBytes.constData(), size_t(targetBytes.size()));
    const auto keyAt = [&text](size_t line) {
        return text.substr(line, text.find_first_of("\t\n", line) - line);
    };
    // The first line whose name is not below the target; every line ends with a newline.
    size_t low = indexHeader_, high = text.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        const size_t line = std::max(text.rfind('\n', middle - 1) + 1, low);
        if (keyAt(line) < target)
            low = text.find('\n', line) + 1;
        else
            high = line;
    }
    std::optional<Place> best;
    const auto matches = [&](std::string_view key) {
        return qualified ? follows(QString::fromUtf8(key.data(), qsizetype(key.size())), q)
                         : key == target;
    };
    for (size_t line = low; line < text.size() &&
                            (qualified ? keyAt(line).starts_with(target) : keyAt(line) == target);
         line = text.find('\n', line) + 1) {
        if (!matches(keyAt(line)))
            continue;
        const std::string_view whole = text.substr(line, text.find('\n', line) - line);
        const QList<QByteArray> fields =
            QByteArray(whole.data(), qsizetype(whole.size())).split(separator);
        if (fields.size() != 10)
            return std::nullopt;
        const QString qualifiers = QString::fromUtf8(fields[9]);
        if (!within.isEmpty() &&
            !qualifiers.split(QLatin1Char(qualifierSeparator)).contains(within))
            continue;
        const qint64 population = fields[8].toLongLong();
        if (best && population <= best->population)
            continue;
        Place p;
        p.name = QString::fromUtf8(fields[1]);
        p.state = QString::fromUtf8(fields[2]);
        p.country = QString::fromUtf8(fields[3]);
        p.countryCode = QString::fromUtf8(fields[4]);
        p.latitude = fields[5].toDouble();
        p.longitude = fields[6].toDouble();
        p.zoneId = QString::fromUtf8(fields[7]);
        p.population = population;
        best = p;
    }
    return best;
}

QList<Place> GeonamesAtlas::find(const QString& typed, int limit) {
    std::call_once(loaded_, &GeonamesAtlas::load, this);
    const QString prefix = foldedName(typed);
    if (prefix.isEmpty() || limit <= 0)
        return {};
    auto it = std::lower_bound(keys_.begin(), keys_.end(), prefix, foldedBefore<Key>);
    // Accents typed are meant: "Mü" finds München and Münster, not Mumbai; "Mu" finds them all.
    const QString lower = typed.toCaseFolded().simplified();
    const bool accentsTyped = lower != prefix;
    std::vector<int> found;
    for (; it != keys_.end() && it->folded.startsWith(prefix); ++it)
        if (!accentsTyped || it->lower.startsWith(lower))
            found.push_back(it->place);
    // "St." typed for "Sankt" (or the other way), then a qualifier: "Frankfurt a. M.".
    const bool none = found.empty();
    for (const QString& spelling : none ? spellings(prefix).mid(1) : QStringList()) {
        auto at = std::lower_bound(keys_.begin(), keys_.end(), spelling, foldedBefore<Key>);
        for (; at != keys_.end() && at->folded.startsWith(spelling); ++at)
            found.push_back(at->place);
    }
    if (found.empty())
        found = qualifiedPlaces(prefix, {});
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    const auto byPopulation = [this](int a, int b) {
        return places_[size_t(a)].population > places_[size_t(b)].population;
    };
    const size_t shown = std::min(found.size(), size_t(limit));
    std::partial_sort(found.begin(), found.begin() + qsizetype(shown), found.end(), byPopulation);
    QList<Place> places;
    places.reserve(qsizetype(shown));
    for (size_t i = 0; i < shown; ++i)
        places.append(places_[size_t(found[i])]);
    return places;
}

std::optional<Place> GeonamesAtlas::exact(const QString& name, const QString& qualifier) {
    const QString folded = foldedName(name);
    const QString within = foldedName(qualifier);
    if (folded.isEmpty())
        return std::nullopt;
    const QStringList written = spellings(folded);
    if (!exactIndex_.isEmpty() && !built_) {
        std::call_once(indexOpened_, &GeonamesAtlas::openExactIndex, this);
        // The name as written, then as a qualified town's beginning ("Frankfurt", "Frankfurt
        // a. M."), from the index alone.
        bool answered = true;
        for (const bool qualified : {false, true})
            for (const QString& spelling : written) {
                const auto answer = exactFromIndex(spelling, within, qualified);
                if (!answer)
                    answered = false;
                else if (*answer)
                    return *answer;
            }
        if (answered)
            return std::nullopt;
        std::call_once(loaded_, &GeonamesAtlas::load, this);
        writeExactIndex();
    }
    for (const QString& spelling : written)
        if (auto place = exactOne(spelling, within))
            return place;
    // No town has the name: the most populous whose name begins with it and a qualifier.
    const Place* best = nullptr;
    for (const int index : qualifiedPlaces(folded, within)) {
        const Place& place = places_[size_t(index)];
        if (!best || place.population > best->population)
            best = &place;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

std::vector<int> GeonamesAtlas::qualifiedPlaces(const QString& folded, const QString& within) {
    std::call_once(loaded_, &GeonamesAtlas::load, this);
    std::vector<int> found;
    for (const QString& spelling : spellings(folded)) {
        const Qualified q = qualifiedOf(spelling);
        auto it = std::lower_bound(keys_.begin(), keys_.end(), q.base, foldedBefore<Key>);
        for (; it != keys_.end() && it->folded.startsWith(q.base); ++it)
            if (follows(it->folded, q) &&
                (within.isEmpty() || qualifiers_[size_t(it->place)].contains(within)))
                found.push_back(it->place);
    }
    return found;
}

std::optional<Place> GeonamesAtlas::exactOne(const QString& folded, const QString& within) {
    std::call_once(loaded_, &GeonamesAtlas::load, this);
    auto it = std::lower_bound(keys_.begin(), keys_.end(), folded, foldedBefore<Key>);
    const Place* best = nullptr;
    for (; it != keys_.end() && it->folded == folded; ++it) {
        const Place& place = places_[size_t(it->place)];
        if (!within.isEmpty() && !qualifiers_[size_t(it->place)].contains(within))
            continue;
        if (!best || place.population > best->population)
            best = &place;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

} // namespace zeitrad::atlas
