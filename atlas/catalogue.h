// A gettext message catalogue (.mo file) read into memory, so that one language's translations
// are at hand whatever the process's locale is.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace zeitrad::atlas {

// Message id -> translation. Empty when the file is missing or not a well-formed catalogue; the
// header entry (empty id) is left out, and of a plural entry only the first form is kept.
QHash<QByteArray, QString> readCatalogue(const QString& path);
QHash<QByteArray, QString> parseCatalogue(const QByteArray& data);

} // namespace zeitrad::atlas
