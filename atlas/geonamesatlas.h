// The atlas on libgeonames: the GeoNames towns of at least 15,000 inhabitants with their time
// zones, their names in German (read from the `geonames` gettext catalogue for German, whatever
// the process's locale) and in English. Built in memory by the first query (about a tenth of a
// second), which may come from any thread; queries are then answered from a sorted index of the
// folded names in microseconds, without GLib.
#pragma once

#include "birth/atlas.h"

#include <QFile>
#include <QList>
#include <QString>

#include <atomic>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace zeitrad::atlas {

class GeonamesAtlas final : public birth::Atlas {
public:
    // The German and English catalogues found in the usual data folders
    // (locale/<lang>/LC_MESSAGES/geonames.mo).
    GeonamesAtlas();
    GeonamesAtlas(const QString& germanCatalogue, const QString& englishCatalogue);
    ~GeonamesAtlas() override;

    QList<birth::Place> find(const QString& typed, int limit = 10) override;
    std::optional<birth::Place> exact(const QString& name, const QString& qualifier = {}) override;

    // The number of towns; builds the atlas.
    int size();

    // A file that answers exact() in a process that asks only that (zeitrad-dasa --place): the
    // first exact() reads it instead of building the atlas, as long as it was written from the
    // same libgeonames and catalogues; otherwise it builds the atlas and writes the file anew.
    void setExactIndex(const QString& path) { exactIndex_ = path; }
    // Whether the atlas has been built in memory.
    bool built() const { return built_; }

private:
    void load();
    // The most populous town of exactly this folded name (within the folded qualifier).
    std::optional<birth::Place> exactOne(const QString& folded, const QString& within);
    // The towns whose name begins with the folded name and a qualifier (" am ", " im ",
    // " an der ", " (", " ob der ", "/"), or with the base and the qualifier's first letters of
    // an abbreviation ("frankfurt/m.", "frankfurt a. m."); "St." and "Sankt" alike.
    std::vector<int> qualifiedPlaces(const QString& folded, const QString& within);
    void openExactIndex();
    // From the index: the town of exactly this folded name, or (qualified) the most populous
    // whose name begins with it and a qualifier; none when the index cannot answer.
    std::optional<std::optional<birth::Place>>
    exactFromIndex(const QString& folded, const QString& within, bool qualified = false) const;
    void writeExactIndex() const;
    QString fingerprint() const;
    QString germanCatalogue_, englishCatalogue_, exactIndex_;
    std::once_flag loaded_;
    std::atomic<bool> built_ = false;

    // The index file, opened and mapped by the first exact() and kept mapped: its whole text and
    // the length of its first line, or empty when it is missing, cut short or written from other
    // data.
    std::once_flag indexOpened_;
    QFile indexFile_;
    std::string_view indexText_;
    size_t indexHeader_ = 0;

    struct Key {
        QString folded; // no case, no accents
        QString lower;  // no case, accents kept
        int place;
    };
    std::vector<birth::Place> places_;
    std::vector<QStringList> qualifiers_; // folded state and country names and the code
    std::vector<Key> keys_;               // sorted by folded name
};

} // namespace zeitrad::atlas
