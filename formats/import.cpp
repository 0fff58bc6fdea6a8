#include "formats/import.h"

#include <QStringList>

#include <algorithm>

#include "formats/aafplaces.h"
#include "formats/privatefile.h"

namespace zeitrad::formats {

namespace {

// The file's records, those without #B93 placed by the atlas, loaded only when one needs it.
Refused<AafRead> readPlaced(const QByteArray& bytes, const AtlasSource& atlas,
                            const birth::Progress& progress) {
    AafRead read = readAaf(bytes, progress);
    if (read.cancelled)
        return Refusal{"Der Import wurde abgebrochen; es wurde nichts aufgenommen."};
    const bool unplaced = std::any_of(read.births.begin(), read.births.end(), [](auto& b) {
        return !b.latitude && !b.longitude && !b.clocks;
    });
    if (unplaced) {
        const Refused<birth::Atlas*> places = atlas ? atlas() : Refused<birth::Atlas*>(nullptr);
        const auto* refusal = std::get_if<Refusal>(&places);
        QString why = QStringLiteral("Ohne #B93 braucht der Datensatz den Ortsatlas, der nicht "
                                     "geladen werden konnte.");
        if (refusal)
            why += u' ' + QString::fromStdString(refusal->message);
        placeFromAtlas(read, refusal ? nullptr : std::get<birth::Atlas*>(places), why);
    }
    return read;
}

} // namespace

Refused<Imported> importFile(birth::Register& reg, const QString& path, const AtlasSource& atlas,
                             const birth::Progress& progress) {
    const Refused<QByteArray> bytes = readBounded(path);
    if (const auto* refusal = std::get_if<Refusal>(&bytes))
        return *refusal;
    return importBytes(reg, std::get<QByteArray>(bytes), atlas, progress);
}

Refused<Imported> importBytes(birth::Register& reg, const QByteArray& bytes,
                              const AtlasSource& atlas, const birth::Progress& progress) {
    // Reading is the first half of the work, importing the second.
    const auto part = [&progress](qsizetype from) -> birth::Progress {
        if (!progress)
            return {};
        return [&progress, from](qsizetype done, qsizetype total) {
            return progress(from + (total > 0 ? done * 500 / total : 0), 1000);
        };
    };
    Refused<AafRead> read = readPlaced(bytes, atlas, part(0));
    if (const auto* refusal = std::get_if<Refusal>(&read))
        return *refusal;
    AafRead& r = std::get<AafRead>(read);
    const Refused<birth::ImportReport> report = reg.import(r.births, r.lines, part(500));
    if (const auto* refusal = std::get_if<Refusal>(&report))
        return *refusal;
    return Imported{std::get<birth::ImportReport>(report), r.skipped, r.remarks};
}

Refused<QList<Entry>> readEntries(const QString& path, const AtlasSource& atlas) {
    const Refused<QByteArray> bytes = readBounded(path);
    if (const auto* refusal = std::get_if<Refusal>(&bytes))
        return *refusal;
    Refused<AafRead> read = readPlaced(std::get<QByteArray>(bytes), atlas, {});
    if (const auto* refusal = std::get_if<Refusal>(&read))
        return *refusal;
    const AafRead& r = std::get<AafRead>(read);
    QList<Entry> entries;
    entries.reserve(r.births.size() + r.skipped.size());
    for (qsizetype i = 0; i < r.births.size(); ++i)
        entries.append({r.lines[i], r.births[i].name(), r.births[i], {}});
    for (const AafSkip& skip : r.skipped)
        entries.append({skip.line, skip.name, std::nullopt, skip.reason});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.line < b.line; });
    return entries;
}

QString importReportText(const birth::ImportReport& report, const QList<AafSkip>& skipped,
                         const QList<AafRemark>& remarks) {
    QStringList lines;
    lines << (report.added == 1 ? QStringLiteral("1 Geburt aufgenommen.")
                                : QStringLiteral("%1 Geburten aufgenommen.").arg(report.added));
    for (const int line : report.duplicateLines)
        lines
            << QStringLiteral("Zeile %1: schon im Register, nicht doppelt aufgenommen.").arg(line);
    // A birth left out (already there, or skipped after it was read) needs no remark.
    for (const AafRemark& remark : remarks)
        if (!report.duplicateLines.contains(remark.line) &&
            std::none_of(skipped.begin(), skipped.end(),
                         [&remark](const AafSkip& skip) { return skip.line == remark.line; }))
            lines << QStringLiteral("Zeile %1: %2").arg(remark.line).arg(remark.text);
    for (const AafSkip& skip : skipped)
        lines << QStringLiteral("Zeile %1: übersprungen – %2").arg(skip.line).arg(skip.reason);
    return lines.join(u'\n');
}

} // namespace zeitrad::formats
