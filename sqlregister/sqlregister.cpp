#include "sqlregister/sqlregister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUrl>
#include <QVariant>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zeitrad::sqlregister {

using birth::Birth;
using birth::Done;

namespace {

const QString columns = QStringLiteral(
    "surname, first_name, kind, date, time, place, country, latitude, longitude, zone, note, "
    "added, changed, ayanamsa");
// The columns of a file of version 1, before its migration.
const QString columnsOfVersion1 = QStringLiteral(
    "surname, first_name, kind, date, time, place, country, latitude, longitude, zone, note, "
    "added, changed");

// Adds one birth: its values bound in the order of `columns`.
QString insertStatement() {
    return QStringLiteral("INSERT INTO births (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
        .arg(columns);
}

// The schema of each version, applied in turn from the file's version to this program's.
const char* const migrations[] = {
    // 0 -> 1
    "CREATE TABLE births (id INTEGER PRIMARY KEY, surname TEXT NOT NULL, first_name TEXT NOT "
    "NULL, kind TEXT NOT NULL, date TEXT NOT NULL, time TEXT, place TEXT NOT NULL, country TEXT "
    "NOT NULL, latitude REAL, longitude REAL, zone TEXT NOT NULL, note TEXT NOT NULL, added TEXT "
    "NOT NULL, changed TEXT NOT NULL);"
    "CREATE INDEX births_by_name ON births (surname, first_name, date);",
    // 1 -> 2: the ayanamsa a birth's Moon is made sidereal with; the births of before keep the
    // input screen's own formula, which they were reckoned with.
    "ALTER TABLE births ADD COLUMN ayanamsa TEXT NOT NULL DEFAULT 'zeitrad';",
    // 2 -> 3: what happened in a life, each event one birth's; remove() deletes a birth's events
    // in the transaction that deletes the birth.
    "CREATE TABLE events (id INTEGER PRIMARY KEY, birth INTEGER NOT NULL REFERENCES births (id) "
    "ON DELETE CASCADE, date TEXT NOT NULL, time TEXT, text TEXT NOT NULL, weight TEXT NOT NULL "
    "DEFAULT 'normal');"
    "CREATE INDEX events_by_birth ON events (birth, date);",
};

QVariant optionalReal(std::optional<double> v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
}

QString key(const QString& surname, const QString& firstName, const QString& date,
            const QString& time, const QString& place) {
    return QStringList{surname, firstName, date, time, place}.join(QChar(0x1F));
}

QString key(const Birth& b) {
    return key(b.surname, b.firstName, b.date.toString(Qt::ISODate), birth::timeText(b.time),
               b.place);
}

// Why a write failed, in German; nothing of it was kept.
Refusal failure(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    QString why;
    if (code == u"13")
        why = QStringLiteral("der Datenträger ist voll");
    else if (code == u"8" || code == u"14")
        why = QStringLiteral("die Datei oder ihr Ordner ist schreibgeschützt");
    else if (code == u"5" || code == u"6")
        why = QStringLiteral("eine andere Zeitrad-Sitzung schreibt gerade");
    else
        why = QStringLiteral("Fehler der Datenbank (%1)").arg(error.text());
    return Refusal{
        QStringLiteral("Das Geburtenregister wurde nicht geändert: %1.").arg(why).toStdString()};
}

Refusal notARegister(const QString& path) {
    return Refusal{QStringLiteral("Die Datei „%1“ ist beschädigt oder kein Geburtenregister von "
                                  "Zeitrad. Sie bleibt unverändert.")
                       .arg(QDir::toNativeSeparators(path))
                       .toStdString()};
}

// Takes the rights of group and others from the register and its log files (which SQLite makes
// with the register's permissions) where they are the user's: birth data is personal. A file of
// someone else's keeps what its owner gave it.
std::optional<Refusal> ownersAlone(const QString& path) {
    for (const QString& file :
         {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
        const QByteArray name = QFile::encodeName(file);
        struct stat st = {};
        if (::stat(name.constData(), &st) != 0 || st.st_uid != ::geteuid() ||
            (st.st_mode & 077) == 0)
            continue;
        if (::chmod(name.constData(), st.st_mode & 07700) != 0)
            return Refusal{QStringLiteral("Das Geburtenregister „%1“ lässt sich nicht allein "
                                          "seinem Eigentümer lesbar machen: %2.")
                               .arg(QDir::toNativeSeparators(file),
                                    QString::fromLocal8Bit(std::strerror(errno)))
                               .toStdString()};
    }
    return std::nullopt;
}

// The SQLite file header (its first 100 bytes), read without SQLite so that nothing is written
// next to a file that is not ours.
struct Header {
    bool sqlite = false;
};

Header readHeader(const QString& path) {
    QFile file(path);
    Header h;
    if (!file.open(QIODevice::ReadOnly))
        return h;
    const QByteArray bytes = file.read(100);
    if (bytes.size() < 100 || !bytes.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        return h;
    h.sqlite = true;
    return h;
}

// The stored texts read back by hand: Qt's general parsers would cost the register window a
// third of its opening time with 10,000 births.
QDate isoDate(const QString& t) {
    if (t.size() == 10 && t[4] == u'-' && t[7] == u'-')
        return QDate(QStringView(t).first(4).toInt(), QStringView(t).sliced(5, 2).toInt(),
                     QStringView(t).sliced(8, 2).toInt());
    return QDate::fromString(t, Qt::ISODate);
}

QTime isoTime(QStringView t) {
    if (t.size() == 8 && t[2] == u':' && t[5] == u':')
        return QTime(t.first(2).toInt(), t.sliced(3, 2).toInt(), t.sliced(6, 2).toInt());
    return QTime::fromString(t.toString(), Qt::ISODate);
}

QDateTime isoUtc(const QString& t) {
    if (t.size() == 20 && t[10] == u'T' && t[19] == u'Z')
        return QDateTime(isoDate(t.first(10)), isoTime(QStringView(t).sliced(11, 8)),
                         QTimeZone::utc());
    return QDateTime::fromString(t, Qt::ISODate);
}

Birth birthFrom(const QSqlQuery& q) {
    Birth b;
    b.id = q.value(0).toLongLong();
    b.surname = q.value(1).toString();
    b.firstName = q.value(2).toString();
    b.kind = birth::kindNamed(q.value(3).toString());
    b.date = isoDate(q.value(4).toString());
    if (!q.value(5).isNull())
        b.time = isoTime(q.value(5).toString());
    b.place = q.value(6).toString();
    b.country = q.value(7).toString();
    if (!q.value(8).isNull())
        b.latitude = q.value(8).toDouble();
    if (!q.value(9).isNull())
        b.longitude = q.value(9).toDouble();
    b.clocks = birth::Clocks::fromText(q.value(10).toString());
    b.note = q.value(11).toString();
    b.added = isoUtc(q.value(12).toString());
    b.changed = isoUtc(q.value(13).toString());
    // One this version does not know (a newer register, read only) counts as Zeitrad's own.
    b.ayanamsa = birth::ayanamsaOfKey(q.value(14).toString());
    return b;
}

// Text columns are never NULL: an empty field is an empty text.
QString text(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

void bind(QSqlQuery& q, const Birth& b, const QString& added, const QString& changed) {
    q.addBindValue(text(b.surname));
    q.addBindValue(text(b.firstName));
    q.addBindValue(QString::fromLatin1(birth::kindName(b.kind)));
    q.addBindValue(b.date.toString(Qt::ISODate));
    q.addBindValue(b.time ? QVariant(birth::timeText(b.time))
                          : QVariant(QMetaType(QMetaType::QString)));
    q.addBindValue(text(b.place));
    q.addBindValue(text(b.country));
    q.addBindValue(optionalReal(b.latitude));
    q.addBindValue(optionalReal(b.longitude));
    q.addBindValue(b.clocks ? b.clocks->text() : QStringLiteral(""));
    q.addBindValue(text(b.note));
    q.addBindValue(added);
    q.addBindValue(changed);
    q.addBindValue(birth::ayanamsaKey(b.ayanamsa));
}

QString now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

// One immediate transaction: taken at once, so that two sessions never both read and then both
// try to write; rolled back as a whole when anything fails.
class Transaction {
public:
    explicit Transaction(QSqlDatabase& db) : db_(db) {
        QSqlQuery q(db_);
        ok_ = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (!ok_)
            error_ = q.lastError();
    }
    ~Transaction() {
        if (ok_ && !done_)
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    bool began() const { return ok_; }
    const QSqlError& error() const { return error_; }
    bool commit() {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("COMMIT"))) {
            error_ = q.lastError();
            return false;
        }
        done_ = true;
        return true;
    }

private:
    QSqlDatabase& db_;
    bool ok_ = false, done_ = false;
    QSqlError error_;
};

} // namespace

SqlRegister::SqlRegister()
    : connection_(QStringLiteral("zeitrad-register-%1").arg(quintptr(this), 0, 16)) {}

SqlRegister::~SqlRegister() {
    close();
}

void SqlRegister::close() {
    if (!open_)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    open_ = false;
}

Refused<Done> SqlRegister::open(const QString& path) {
    close();
    readOnly_ = false;
    readOnlyReason_.clear();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);

    // Birth data is personal: the folder made for it and the file are the owner's alone.
    if (!info.dir().exists()) {
        if (!QDir().mkpath(info.absolutePath()))
            return Refusal{
                QStringLiteral("Der Ordner „%1“ für das Geburtenregister lässt sich nicht "
                               "anlegen.")
                    .arg(QDir::toNativeSeparators(info.absolutePath()))
                    .toStdString()};
        QFile::setPermissions(info.absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool created = false;
    if (!info.exists()) {
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0)
            return Refusal{QStringLiteral("Das Geburtenregister „%1“ lässt sich nicht anlegen: der "
                                          "Ordner ist schreibgeschützt oder voll.")
                               .arg(shown)
                               .toStdString()};
        ::close(fd);
        created = true;
    } else if (info.size() > 0) {
        // Someone else's file, or a damaged one, is never opened for writing: first its header
        // without SQLite, then a read-only look at what it holds. (The header's own version
        // fields may be behind the write-ahead log, so they are asked of SQLite.)
        if (!readHeader(path).sqlite)
            return notARegister(path);
        bool ok = false;
        {
            QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            // Without a write-ahead log beside it, the file is looked at as immutable, so that
            // SQLite makes no log and no shared-memory file next to it.
            const bool live = QFile::exists(path + QStringLiteral("-wal"));
            QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
            if (!live)
                uri.setQuery(QStringLiteral("immutable=1"));
            check.setDatabaseName(uri.toString(QUrl::FullyEncoded));
            check.setConnectOptions(
                QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
            if (check.open()) {
                QSqlQuery q(check);
                auto number = [&q](const QString& pragma) -> qint64 {
                    return q.exec(pragma) && q.next() ? q.value(0).toLongLong() : -1;
                };
                ok = q.exec(QStringLiteral("PRAGMA quick_check")) && q.next() &&
                     q.value(0).toString() == u"ok";
                const qint64 id = number(QStringLiteral("PRAGMA application_id"));
                const qint64 version = number(QStringLiteral("PRAGMA user_version"));
                if (ok && id == applicationId && version > 0) {
                    ok = q.exec(QStringLiteral("SELECT %1 FROM births LIMIT 1")
                                    .arg(version == 1 ? columnsOfVersion1 : columns));
                    if (version > schemaVersion) {
                        readOnly_ = true;
                        readOnlyReason_ = QStringLiteral(
                            "Das Geburtenregister stammt aus einer neueren Zeitrad-Version; es ist "
                            "nur zum Lesen geöffnet.");
                    }
                } else if (ok) {
                    // An empty SQLite file (of no program yet) becomes the register.
                    ok = id == 0 && version == 0 &&
                         number(QStringLiteral("SELECT count(*) FROM sqlite_schema")) == 0;
                }
            }
            check.close();
        }
        QSqlDatabase::removeDatabase(connection_);
        if (!ok)
            return notARegister(path);
    }
    // A register made by an earlier version, or copied in, becomes private too; one that is only
    // read may stay as it is where it cannot be changed.
    if (const auto refusal = ownersAlone(path); refusal && !readOnly_)
        return *refusal;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    db.setConnectOptions(readOnly_
                             ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")
                             : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    open_ = true;
    path_ = path;
    auto refuse = [&](const Refusal& why) -> Refused<Done> {
        close();
        if (created)
            QFile::remove(path);
        return why;
    };
    if (!db.open())
        return refuse(failure(db.lastError()));
    if (readOnly_)
        return Done{};

    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return refuse(failure(q.lastError()));
    q.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
    // Forward, one version at a time, each step in the same transaction as the version number.
    {
        Transaction t(db);
        if (!t.began())
            return refuse(failure(t.error()));
        q.exec(QStringLiteral("PRAGMA user_version"));
        const int version = q.next() ? q.value(0).toInt() : 0;
        q.finish();
        if (version < schemaVersion) {
            for (int v = version; v < schemaVersion; ++v)
                for (const QString& statement :
                     QString::fromLatin1(migrations[v]).split(u';', Qt::SkipEmptyParts))
                    if (!q.exec(statement))
                        return refuse(failure(q.lastError()));
            if (!q.exec(QStringLiteral("PRAGMA user_version=%1").arg(schemaVersion)) ||
                !q.exec(QStringLiteral("PRAGMA application_id=%1").arg(applicationId)))
                return refuse(failure(q.lastError()));
        }
        if (!t.commit())
            return refuse(failure(t.error()));
    }
    return Done{};
}

std::optional<Refusal> SqlRegister::writable() const {
    if (!open_)
        return Refusal{"Das Geburtenregister ist nicht geöffnet."};
    if (readOnly_)
        return Refusal{readOnlyReason_.toStdString()};
    return std::nullopt;
}

Refused<QList<Birth>> SqlRegister::list() {
    if (!open_)
        return Refusal{"Das Geburtenregister ist nicht geöffnet."};
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, %1 FROM births ORDER BY surname, first_name, date")
                    .arg(columns)))
        return Refusal{QStringLiteral("Das Geburtenregister ließ sich nicht lesen: %1.")
                           .arg(q.lastError().text())
                           .toStdString()};
    QList<Birth> births;
    while (q.next())
        births.append(birthFrom(q));
    return births;
}

template <typename T, typename Work> Refused<T> SqlRegister::change(Work work) {
    if (auto refusal = writable())
        return *refusal;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    Transaction t(db);
    if (!t.began())
        return failure(t.error());
    Refused<T> done = work(db);
    if (std::holds_alternative<T>(done) && !t.commit())
        return failure(t.error());
    return done;
}

Refused<qint64> SqlRegister::add(const Birth& birth) {
    return change<qint64>([&](QSqlDatabase& db) -> Refused<qint64> {
        // The same birth twice is one too many (the same rule as an import's); it is opened from
        // the register to change it. Read inside the transaction that writes.
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT coalesce(time, ''), place FROM births WHERE surname=? "
                                 "AND first_name=? AND date=?"));
        const QString date = birth.date.toString(Qt::ISODate);
        q.addBindValue(text(birth.surname));
        q.addBindValue(text(birth.firstName));
        q.addBindValue(date);
        if (!q.exec())
            return failure(q.lastError());
        while (q.next())
            if (key(birth.surname, birth.firstName, date, q.value(0).toString(),
                    q.value(1).toString()) == key(birth))
                return Refusal{("„" + birth.name() +
                                "“ steht mit diesem Datum, dieser Zeit und diesem Ort schon im "
                                "Geburtenregister; nichts gespeichert.")
                                   .toStdString()};
        q.finish();
        q.prepare(insertStatement());
        const QString stamp = now();
        bind(q, birth, stamp, stamp);
        if (!q.exec())
            return failure(q.lastError());
        return q.lastInsertId().toLongLong();
    });
}

Refused<Done> SqlRegister::update(const Birth& birth) {
    return change<Done>([&](QSqlDatabase& db) -> Refused<Done> {
        QSqlQuery q(db);
        q.prepare(QStringLiteral(
            "UPDATE births SET surname=?, first_name=?, kind=?, date=?, time=?, place=?, "
            "country=?, latitude=?, longitude=?, zone=?, note=?, added=coalesce(?, added), "
            "changed=?, ayanamsa=? WHERE id=?"));
        bind(q, birth, QString(), now());
        q.addBindValue(birth.id);
        if (!q.exec())
            return failure(q.lastError());
        if (q.numRowsAffected() != 1)
            return Refusal{"Diese Geburt steht nicht mehr im Register."};
        return Done{};
    });
}

Refused<Done> SqlRegister::remove(const QList<qint64>& ids) {
    return change<Done>([&](QSqlDatabase& db) -> Refused<Done> {
        QSqlQuery q(db);
        QSqlQuery events(db);
        events.prepare(QStringLiteral("DELETE FROM events WHERE birth=?"));
        q.prepare(QStringLiteral("DELETE FROM births WHERE id=?"));
        for (const qint64 id : ids) {
            events.addBindValue(id);
            if (!events.exec())
                return failure(events.lastError());
            q.addBindValue(id);
            if (!q.exec())
                return failure(q.lastError());
        }
        return Done{};
    });
}

Refused<birth::ImportReport> SqlRegister::import(const QList<Birth>& births,
                                                 const QList<int>& lines,
                                                 const birth::Progress& progress) {
    return change<birth::ImportReport>([&](QSqlDatabase& db) -> Refused<birth::ImportReport> {
        // What is there already, read inside the transaction that writes.
        QSet<QString> known;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral(
                "SELECT surname, first_name, date, coalesce(time, ''), place FROM births")))
            return failure(q.lastError());
        while (q.next())
            known.insert(key(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                             q.value(3).toString(), q.value(4).toString()));
        q.finish();

        birth::ImportReport report;
        QSqlQuery insert(db);
        insert.prepare(insertStatement());
        const QString stamp = now();
        for (qsizetype i = 0; i < births.size(); ++i) {
            if (progress && i % 256 == 0 && !progress(i, births.size()))
                return Refusal{"Der Import wurde abgebrochen; es wurde nichts aufgenommen."};
            const QString k = key(births[i]);
            if (known.contains(k)) {
                report.duplicateLines.append(i < lines.size() ? lines[i] : int(i + 1));
                continue;
            }
            known.insert(k);
            bind(insert, births[i], stamp, stamp);
            if (!insert.exec())
                return failure(insert.lastError());
            ++report.added;
        }
        return report;
    });
}

Refused<QList<birth::Event>> SqlRegister::events(qint64 birthId) {
    if (!open_)
        return Refusal{"Das Geburtenregister ist nicht geöffnet."};
    QList<birth::Event> found;
    // A register of version 2 opened read-only has no events yet.
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.tables().contains(QStringLiteral("events")))
        return found;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT id, birth, date, time, text, weight FROM events WHERE birth=? ORDER BY date, id"));
    q.addBindValue(birthId);
    if (!q.exec())
        return Refusal{QStringLiteral("Die Ereignisse ließen sich nicht lesen: %1.")
                           .arg(q.lastError().text())
                           .toStdString()};
    while (q.next()) {
        birth::Event e;
        e.id = q.value(0).toLongLong();
        e.birthId = q.value(1).toLongLong();
        e.date = isoDate(q.value(2).toString());
        if (!q.value(3).isNull())
            e.time = isoTime(q.value(3).toString());
        e.text = q.value(4).toString();
        e.important = q.value(5).toString() == u"wichtig";
        found.append(e);
    }
    birth::sortEvents(found);
    return found;
}

namespace {

Refused<Done> bindEvent(QSqlQuery& q, const birth::Event& e) {
    if (!e.date.isValid())
        return Refusal{"Das Ereignis braucht ein gültiges Datum; nichts gespeichert."};
    if (e.text.trimmed().isEmpty())
        return Refusal{"Das Ereignis braucht einen Text; nichts gespeichert."};
    q.addBindValue(e.date.toString(Qt::ISODate));
    q.addBindValue(e.time ? QVariant(birth::timeText(e.time))
                          : QVariant(QMetaType(QMetaType::QString)));
    q.addBindValue(e.text.trimmed());
    q.addBindValue(birth::weightText(e.important));
    return Done{};
}

} // namespace

Refused<qint64> SqlRegister::addEvent(const birth::Event& event) {
    return change<qint64>([&](QSqlDatabase& db) -> Refused<qint64> {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM births WHERE id=?"));
        q.addBindValue(event.birthId);
        if (!q.exec())
            return failure(q.lastError());
        if (!q.next())
            return Refusal{"Diese Geburt steht nicht mehr im Register; das Ereignis wurde nicht "
                           "gespeichert."};
        q.finish();
        q.prepare(QStringLiteral("INSERT INTO events (date, time, text, weight, birth) VALUES "
                                 "(?,?,?,?,?)"));
        if (auto bound = bindEvent(q, event); std::holds_alternative<Refusal>(bound))
            return std::get<Refusal>(bound);
        q.addBindValue(event.birthId);
        if (!q.exec())
            return failure(q.lastError());
        return q.lastInsertId().toLongLong();
    });
}

Refused<Done> SqlRegister::updateEvent(const birth::Event& event) {
    return change<Done>([&](QSqlDatabase& db) -> Refused<Done> {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("UPDATE events SET date=?, time=?, text=?, weight=? WHERE id=?"));
        if (auto bound = bindEvent(q, event); std::holds_alternative<Refusal>(bound))
            return std::get<Refusal>(bound);
        q.addBindValue(event.id);
        if (!q.exec())
            return failure(q.lastError());
        if (q.numRowsAffected() != 1)
            return Refusal{"Dieses Ereignis steht nicht mehr im Register."};
        return Done{};
    });
}

Refused<Done> SqlRegister::removeEvents(const QList<qint64>& ids) {
    return change<Done>([&](QSqlDatabase& db) -> Refused<Done> {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("DELETE FROM events WHERE id=?"));
        for (const qint64 id : ids) {
            q.addBindValue(id);
            if (!q.exec())
                return failure(q.lastError());
        }
        return Done{};
    });
}

} // namespace zeitrad::sqlregister
