// Files that hold personal data (names, birth dates, birth places) and the files a user gives the
// program to read. A file is written whole or not at all, readable by its owner alone from its
// first byte on; a file is read only up to a bound, so that a wrong choice in a file dialog cannot
// fill the memory.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "birth/register.h"
#include "engine/refusal.h"

class QIODevice;
class QSettings;

namespace zeitrad::formats {

// The largest file that readBounded() reads: 64 MiB.
inline constexpr qint64 maxReadBytes = qint64(64) * 1024 * 1024;

// The one German message for a file that could not be written, with the system's reason.
Refusal writeFailure(const QString& path, QString reason);

// Writes the file at `path` through QSaveFile: the bytes, or what `fill` writes into the device it
// is given (it returns false when it could not make the content). The file is the owner's alone
// (0600) before anything is written into it, and it takes the place of an earlier file of that
// name only when complete; refused with writeFailure(), the earlier file stays byte for byte as it
// was.
Refused<birth::Done> savePrivately(const QString& path, const QByteArray& bytes);
Refused<birth::Done> savePrivately(const QString& path,
                                   const std::function<bool(QIODevice&)>& fill);

// Writes the settings out now (QSettings writes them), in a file that is its owner's alone: it is
// made 0600 before the settings go into it. Refused with writeFailure() when they could not be
// written or the file could not be made private.
Refused<birth::Done> syncPrivately(QSettings& settings);

// The whole file, when it is at most maxReadBytes long. Refused in German, before anything is
// read, when the file does not exist, cannot be opened (with the system's reason) or is larger.
Refused<QByteArray> readBounded(const QString& path);

} // namespace zeitrad::formats
