#include "atlas/catalogue.h"

#include <QFile>

#include <cstring>

namespace zeitrad::atlas {

namespace {

constexpr quint32 magic = 0x950412deu;

quint32 swapped(quint32 v) {
    return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

} // namespace

QHash<QByteArray, QString> parseCatalogue(const QByteArray& data) {
    QHash<QByteArray, QString> messages;
    const auto size = quint64(data.size());
    bool swap = false;
    // The word at a byte offset, in the file's byte order; false past the end.
    const auto word = [&](quint64 at, quint32* value) {
        if (at + 4 > size)
            return false;
        quint32 v;
        std::memcpy(&v, data.constData() + at, 4);
        *value = swap ? swapped(v) : v;
        return true;
    };
    quint32 first = 0;
    if (!word(0, &first))
        return messages;
    if (first != magic) {
        swap = true;
        if (swapped(first) != magic)
            return messages;
    }
    quint32 count = 0, ids = 0, translations = 0;
    if (!word(8, &count) || !word(12, &ids) || !word(16, &translations))
        return messages;
    // A string of the table at `table`, entry i: (length, offset), bounds checked.
    const auto text = [&](quint32 table, quint32 i, QByteArray* out) {
        quint32 length = 0, offset = 0;
        if (!word(quint64(table) + 8ull * i, &length) ||
            !word(quint64(table) + 8ull * i + 4, &offset) || quint64(offset) + length > size)
            return false;
        *out = QByteArray(data.constData() + offset, qsizetype(length));
        return true;
    };
    if (quint64(count) * 8 > size)
        return messages;
    messages.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        QByteArray id, translation;
        if (!text(ids, i, &id) || !text(translations, i, &translation))
            return {};
        if (id.isEmpty())
            continue;
        const qsizetype plural = translation.indexOf('\0');
        if (plural >= 0)
            translation.truncate(plural);
        const qsizetype pluralId = id.indexOf('\0');
        if (pluralId >= 0)
            id.truncate(pluralId);
        messages.insert(id, QString::fromUtf8(translation));
    }
    return messages;
}

QHash<QByteArray, QString> readCatalogue(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseCatalogue(file.readAll());
}

} // namespace zeitrad::atlas
