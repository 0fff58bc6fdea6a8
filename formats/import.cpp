#include "formats/import.h"

#include <QStringList>

#include <algorithm>

#include "formats/aafplaces.h"
#include "formats/mtx.h"
#include "formats/privatefile.h"

namespace zeitrad::formats {

namespace {

// The file's records, those without #B93 placed by the atlas, loaded only when one needs it.
Refused<AafRead> readPlaced(const QByteArray& bytes, const AtlasSource& atlas,
                            const birth::Progress& progress) {
    AafRead read = readBirths(bytes, progress);
    if (read.cancelled)
        return Refusal{"Der Import wurde abgebrochen; es wurde nichts aufgenommen."};
    const bool unplaced =
        std::any_of(read.births.begin(), read.births.end(), [](auto& b) { return !b.clocks; });
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

AafRead readBirths(const QByteArray& bytes, const birth::Progress& progress) {
    if (!isMtx(bytes))
        return readAaf(bytes, progress);
    AafRead read;
    int line = 0;
    const Refused<birth::Birth> chart = readMtx(bytes, &line);
    if (const auto* refusal = std::get_if<Refusal>(&chart)) {
        // The name, where the file got so far.
        const QStringList lines = QString::fromUtf8(bytes.left(4096)).split(u'\n');
        read.skipped.append({line, QString::fromStdString(refusal->message).section(u' ', 2),
                             lines.size() > 1 ? lines[1].trimmed() : QString()});
        return read;
    }
    read.births.append(std::get<birth::Birth>(chart));
    read.lines.append(1);
    read.pending.append(AafPending{});
    return read;
}

Refused<QList<FileImported>> importFiles(birth::Register& reg, const QStringList& paths,
                                         const AtlasSource& atlas,
                                         const birth::Progress& progress) {
    QList<FileImported> files;
    QList<birth::Birth> births;
    QList<int> numbers;                 // each birth's number in `births`, from 1
    QList<std::pair<int, int>> origins; // each birth's file and line
    for (qsizetype f = 0; f < paths.size(); ++f) {
        if (progress && !progress(f * 500 / std::max<qsizetype>(1, paths.size()), 1000))
            return Refusal{"Der Import wurde abgebrochen; es wurde nichts aufgenommen."};
        FileImported file;
        file.path = paths[f];
        const Refused<QByteArray> bytes = readBounded(paths[f]);
        if (const auto* refusal = std::get_if<Refusal>(&bytes)) {
            file.unread = QString::fromStdString(refusal->message);
            files.append(file);
            continue;
        }
        Refused<AafRead> read = readPlaced(std::get<QByteArray>(bytes), atlas, {});
        if (const auto* refusal = std::get_if<Refusal>(&read))
            return *refusal;
        const AafRead& r = std::get<AafRead>(read);
        file.records = int(r.births.size() + r.skipped.size());
        file.skipped = r.skipped;
        file.remarks = r.remarks;
        for (qsizetype i = 0; i < r.births.size(); ++i) {
            births.append(r.births[i]);
            numbers.append(int(births.size()));
            origins.append({int(files.size()), r.lines[i]});
        }
        file.added = int(r.births.size());
        files.append(file);
    }
    const Refused<birth::ImportReport> report =
        reg.import(births, numbers, [&progress](qsizetype done, qsizetype total) {
            return !progress || progress(500 + (total > 0 ? done * 500 / total : 0), 1000);
        });
    if (const auto* refusal = std::get_if<Refusal>(&report))
        return *refusal;
    for (const int number : std::get<birth::ImportReport>(report).duplicateLines) {
        const auto [f, line] = origins[number - 1];
        files[f].duplicateLines.append(line);
        --files[f].added;
    }
    return files;
}

QString importReportText(const QList<FileImported>& files) {
    if (files.size() == 1 && files[0].unread.isEmpty())
        return importReportText(birth::ImportReport{files[0].added, files[0].duplicateLines},
                                files[0].skipped, files[0].remarks);
    int added = 0;
    for (const FileImported& file : files)
        added += file.added;
    QStringList lines;
    lines << (added == 1 ? QStringLiteral("1 Geburt aufgenommen aus %1 Dateien.")
                         : QStringLiteral("%1 Geburten aufgenommen aus %2 Dateien.").arg(added))
                 .arg(files.size());
    for (const FileImported& file : files) {
        if (!file.unread.isEmpty()) {
            lines << QStringLiteral("„%1“: nicht gelesen – %2").arg(file.path, file.unread);
            continue;
        }
        lines << QStringLiteral("„%1“: %2 gelesen, %3 aufgenommen.")
                     .arg(file.path, file.records == 1
                                         ? QStringLiteral("1 Datensatz")
                                         : QStringLiteral("%1 Datensätze").arg(file.records))
                     .arg(file.added);
        const QString text = importReportText(birth::ImportReport{0, file.duplicateLines},
                                              file.skipped, file.remarks);
        for (const QString& line : text.split(u'\n').mid(1))
            lines << QStringLiteral("  ") + line;
    }
    return lines.join(u'\n');
}

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
    for (qsizetype i = 0; i < r.births.size(); ++i) {
        QStringList remarks;
        for (const AafRemark& remark : r.remarks)
            if (remark.line == r.lines[i])
                remarks << remark.text;
        entries.append({r.lines[i], r.births[i].name(), r.births[i], {}, remarks.join(u' ')});
    }
    for (const AafSkip& skip : r.skipped)
        entries.append({skip.line, skip.name, std::nullopt, skip.reason, {}});
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
