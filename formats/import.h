// Births from files into the register: the report of an import.
#pragma once

#include <QList>
#include <QString>

#include "birth/register.h"
#include "formats/aaf.h"

namespace zeitrad::formats {

// The German report of an AAF import: how many went in, the duplicates, the remarks on the births
// that went in (a note cut short) and the skipped records.
QString importReportText(const birth::ImportReport& report, const QList<AafSkip>& skipped,
                         const QList<AafRemark>& remarks = {});

} // namespace zeitrad::formats
