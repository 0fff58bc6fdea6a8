#include "formats/import.h"

#include <QStringList>

namespace zeitrad::formats {

QString importReportText(const birth::ImportReport& report, const QList<AafSkip>& skipped) {
    QStringList lines;
    lines << (report.added == 1 ? QStringLiteral("1 Geburt aufgenommen.")
                                : QStringLiteral("%1 Geburten aufgenommen.").arg(report.added));
    for (const int line : report.duplicateLines)
        lines
            << QStringLiteral("Zeile %1: schon im Register, nicht doppelt aufgenommen.").arg(line);
    for (const AafSkip& skip : skipped)
        lines << QStringLiteral("Zeile %1: übersprungen – %2").arg(skip.line).arg(skip.reason);
    return lines.join(u'\n');
}

} // namespace zeitrad::formats
