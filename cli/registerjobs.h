// zeitrad-dasa and the register of births (ZEITRAD_REGISTER, or geburten.sqlite in the data
// folder): the batch jobs (--import, --export, --list), the birth named by --birth, and the
// records of an AAF file for --aaf. Qt Core and Qt SQL, never Qt Gui.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "birth/atlas.h"
#include "birth/birth.h"
#include "birth/events.h"
#include "cli/options.h"
#include "engine/refusal.h"

namespace zeitrad::cli {

// What a job hands back to the program: standard output, standard error and the exit status.
struct JobResult {
    int status = 0;
    std::string out, err;
};

// The records of an AAF file into the register, in one transaction. Records without #B93 get their
// place from the atlas. The report (how many went in, the duplicates and the skipped records with
// their lines) on standard error; exit 1 when a record was skipped.
JobResult importJob(const std::string& file, birth::Atlas* atlas);
// Several files (AAF or Maitreya's charts) in one transaction, reported file by file; exit 1
// when a record was skipped or a file could not be read.
JobResult importJob(const std::vector<std::string>& files, birth::Atlas* atlas);
// The whole register as an AAF file, written atomically, UTF-8 or Windows-1252.
JobResult exportJob(const std::string& file, bool windows1252);
// The register as a text table, CSV or a JSON array.
JobResult listJob(Format format);

// The one birth of the register whose name is the typed one (folded: case and accents aside), or
// else the one whose name holds it. Refused: the register cannot be opened, no birth, or several
// (listed, one a line).
Refused<birth::Birth> registeredBirth(const std::string& name);

// The events the register keeps for the birth of that number, by day.
Refused<QList<birth::Event>> registeredEvents(qint64 birthId);

} // namespace zeitrad::cli
