// Files that hold personal data (names, birth dates, birth places): written whole or not at all,
// readable by their owner alone from the first byte on.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "birth/register.h"
#include "engine/refusal.h"

class QIODevice;
class QSettings;

namespace zeitrad::formats {

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

} // namespace zeitrad::formats
