#include "astronomy/ephemeris.h"

#include <cstdlib>
#include <mutex>

#include <swephexp.h>

namespace zeitrad::astronomy {

namespace {

constexpr const char* debianFolder = "/usr/share/libswe/ephe";

// Everything the library keeps between calls lives behind this one lock.
std::mutex library;
std::string chosenFolder; // set by setEphemerisFolder; empty: the default
int folderChanges = 0;    // how often it was set

// The library keeps its open files and their buffers per thread: each thread tells it where the
// files are before its first question (again after the folder changed), and closes them when
// it ends, so that a thread that has gone leaves neither memory nor open files behind.
struct ThreadFiles {
    int pathGiven = -1; // the folderChanges for which the path was given; -1: not yet
    ~ThreadFiles() {
        if (pathGiven < 0)
            return;
        const std::lock_guard lock(library);
        swe_close();
    }
};
thread_local ThreadFiles threadFiles;

// The library's own rule puts its environment variable SE_EPHE_PATH before any folder it is given.
std::string folderLocked() {
    if (const char* env = std::getenv("SE_EPHE_PATH"); env && *env)
        return env;
    return chosenFolder.empty() ? debianFolder : chosenFolder;
}

// Before the first question: where the files are. The library opens them when it needs them.
void prepareLocked() {
    if (threadFiles.pathGiven == folderChanges)
        return;
    // What this thread had open of another folder is closed first.
    if (threadFiles.pathGiven >= 0)
        swe_close();
    const std::string folder = folderLocked();
    swe_set_ephe_path(folder.c_str());
    threadFiles.pathGiven = folderChanges;
}

Refusal missingFiles(const char* what) {
    return Refusal{std::string(what) +
                   " lässt sich nicht berechnen: die Ephemeridendateien der Swiss Ephemeris "
                   "fehlen oder sind beschädigt (gesucht in „" +
                   folderLocked() + "“; Debian-Paket swe-basic-data)."};
}

// The library answered from its own files, not from its built-in series or not at all.
bool fromFiles(int flags) {
    return flags >= 0 && (flags & SEFLG_SWIEPH) != 0 && (flags & SEFLG_MOSEPH) == 0;
}

int siderealMode(Ayanamsa ayanamsa) {
    switch (ayanamsa) {
    case Ayanamsa::lahiri:
        return SE_SIDM_LAHIRI;
    case Ayanamsa::lahiriIcrc:
        return SE_SIDM_LAHIRI_ICRC;
    case Ayanamsa::trueChitra:
        return SE_SIDM_TRUE_CITRA;
    case Ayanamsa::krishnamurti:
        return SE_SIDM_KRISHNAMURTI;
    case Ayanamsa::raman:
        return SE_SIDM_RAMAN;
    case Ayanamsa::faganBradley:
        return SE_SIDM_FAGAN_BRADLEY;
    case Ayanamsa::yukteshwar:
        return SE_SIDM_YUKTESHWAR;
    case Ayanamsa::truePushya:
        return SE_SIDM_TRUE_PUSHYA;
    case Ayanamsa::ushaShashi:
        return SE_SIDM_USHASHASHI;
    case Ayanamsa::zeitrad:
        break;
    }
    return -1;
}

} // namespace

std::string ephemerisFolder() {
    const std::lock_guard lock(library);
    return folderLocked();
}

void setEphemerisFolder(const std::string& folder) {
    const std::lock_guard lock(library);
    chosenFolder = folder;
    // Each thread's next question opens the files of the new folder.
    ++folderChanges;
}

Refused<double> moonLongitude(double tt1, double tt2) {
    const std::lock_guard lock(library);
    prepareLocked();
    double x[6] = {};
    char error[AS_MAXCH] = "";
    const int flags = swe_calc(tt1 + tt2, SE_MOON, SEFLG_SWIEPH, x, error);
    if (!fromFiles(flags))
        return missingFiles("Die Mondposition");
    const double degrees = x[0];
    return degrees >= 0 && degrees < 360 ? degrees : 0;
}

Refused<double> ayanamsaAt(Ayanamsa ayanamsa, double tt1, double tt2) {
    const int mode = siderealMode(ayanamsa);
    if (mode < 0)
        return Refusal{"Die Ayanamsa „Zeitrad (Lahiri-Formel)“ rechnet die Eingabemaske selbst."};
    const std::lock_guard lock(library);
    prepareLocked();
    swe_set_sid_mode(mode, 0, 0);
    double degrees = 0;
    char error[AS_MAXCH] = "";
    const int flags = swe_get_ayanamsa_ex(tt1 + tt2, SEFLG_SWIEPH, &degrees, error);
    if (!fromFiles(flags))
        return missingFiles("Die Ayanamsa");
    return degrees;
}

} // namespace zeitrad::astronomy
