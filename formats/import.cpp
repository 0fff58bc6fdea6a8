#include "formats/import.h"

#include <QStringList>

#include <algorithm>

namespace zeitrad::formats {

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
