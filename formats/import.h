// Births from files: an AAF file read with its records placed by the atlas, imported into the
// register in one transaction, or handed out record by record; and the report of an import. The
// window's register and zeitrad-dasa both import through here.
#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

#include "birth/atlas.h"
#include "birth/register.h"
#include "formats/aaf.h"

namespace zeitrad::formats {

// The records of a file: an AAF file or Maitreya's chart file, told apart by the content (see
// isMtx()); a chart is one record, on line 1, or its refusal as a skipped record.
AafRead readBirths(const QByteArray& bytes, const birth::Progress& progress = {});

// Where an import finds the atlas for records without coordinates: asked only when one needs it.
using AtlasSource = std::function<Refused<birth::Atlas*>()>;

// What an import did, and what it left out.
struct Imported {
    birth::ImportReport report;
    QList<AafSkip> skipped;
    QList<AafRemark> remarks; // on births that went in (a note cut short)
};

// The births of the file into the register in one transaction: refused, with the German reason,
// when the file cannot be read or the register refuses; records without #B93 get place and zone
// from the atlas (or are skipped, with its reason); records already in the register are left
// out. `progress` hears of the work now and then (reading, then importing, as parts of a
// thousand); cancelled by it, the import is refused and keeps nothing.
Refused<Imported> importFile(birth::Register& reg, const QString& path, const AtlasSource& atlas,
                             const birth::Progress& progress = {});
// The same for a file read already (readBounded()).
Refused<Imported> importBytes(birth::Register& reg, const QByteArray& bytes,
                              const AtlasSource& atlas, const birth::Progress& progress = {});

// What an import of several files did with each.
struct FileImported {
    QString path;
    QString unread;  // why the file could not be read; then nothing else is set
    int records = 0; // read, before the atlas and the register
    int added = 0;
    QList<int> duplicateLines;
    QList<AafSkip> skipped;
    QList<AafRemark> remarks;
};

// The births of several files (AAF or Maitreya's charts, each found from its content) into the
// register in one transaction, as importFile() does for one. A file that cannot be read is
// reported as such and the others go in; refused when the register refuses or `progress`
// cancels, and then nothing goes in.
Refused<QList<FileImported>> importFiles(birth::Register& reg, const QStringList& paths,
                                         const AtlasSource& atlas,
                                         const birth::Progress& progress = {});

// The German report of several files: the births that went in, then file by file what was read,
// taken from the atlas, changed, left out as a duplicate and refused, with the lines. One file's
// report is importReportText()'s.
QString importReportText(const QList<FileImported>& files);

// One record of a file: a birth that was read, or the reason it was skipped.
struct Entry {
    int line = 0; // the line of its #A93
    QString name; // "Müller, Jürgen"; empty when the file does not name it
    std::optional<birth::Birth> birth;
    QString reason; // when there is no birth
    QString remark; // of a birth: what the atlas gave, what the Julian day changed
};

// Every record of the file in file order, placed as an import places them. Refused when the file
// cannot be read.
Refused<QList<Entry>> readEntries(const QString& path, const AtlasSource& atlas);

// The German report of an import: how many went in, the duplicates, the remarks on the births
// that went in (a note cut short) and the skipped records.
QString importReportText(const birth::ImportReport& report, const QList<AafSkip>& skipped,
                         const QList<AafRemark>& remarks = {});
inline QString importReportText(const Imported& imported) {
    return importReportText(imported.report, imported.skipped, imported.remarks);
}

} // namespace zeitrad::formats
