// The register on its SQLite file: births kept privately (an earlier file made private on opening),
// several deleted all or none, an import
// that adds nothing twice, a file from a newer program read-only, a damaged or foreign file left as
// it was, two programs writing at once, a folder that cannot be written, and an import stopped by a
// kill or a full disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "formats/aaf.h"
#include "formats/import.h"
#include "sqlregister/sqlregister.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;
using zeitrad::Refusal;
using zeitrad::sqlregister::SqlRegister;

namespace {

Birth person(int n) {
    Birth b;
    b.surname = QStringLiteral("Nummer");
    b.firstName = QString::number(n);
    b.date = QDate(1970, 1, 1).addDays(n);
    b.time = QTime(12, 0);
    b.place = QStringLiteral("Köln");
    b.country = QStringLiteral("D");
    b.latitude = 50.94;
    b.longitude = 6.96;
    b.clocks = Clocks::zone(QStringLiteral("Europe/Berlin"));
    return b;
}

QList<Birth> people(int count) {
    QList<Birth> births;
    for (int i = 0; i < count; ++i)
        births.append(person(i));
    return births;
}

template <typename T> T value(const zeitrad::Refused<T>& r) {
    if (const auto* refusal = std::get_if<Refusal>(&r))
        qFatal("refused: %s", refusal->message.c_str());
    return std::get<T>(r);
}

QString refusal(const auto& r) {
    const auto* why = std::get_if<Refusal>(&r);
    return why ? QString::fromStdString(why->message) : QString();
}

// A register at path holding the births.
void fill(const QString& path, const QList<Birth>& births) {
    SqlRegister reg;
    value(reg.open(path));
    value(reg.import(births, {}));
}

// One statement on the file through a connection of its own; its first value.
QVariant sql(const QString& path, const QString& statement) {
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "side");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        if (q.exec(statement) && q.next())
            result = q.value(0);
    }
    QSqlDatabase::removeDatabase("side");
    return result;
}

// What SQLite itself says of the file, and how many births it holds.
QPair<QString, int> checkFile(const QString& path) {
    return {sql(path, "PRAGMA integrity_check").toString(),
            sql(path, "SELECT count(*) FROM births").toInt()};
}

int mode(const QString& path) {
    struct stat s = {};
    stat(QFile::encodeName(path).constData(), &s);
    return int(s.st_mode & 0777);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A process that imports 20000 births into the register at path, its files limited to maxBytes
// when given; what it was refused goes to fd.
pid_t importInChild(const QString& path, qint64 maxBytes, int fd) {
    const QList<Birth> births = people(20000);
    const pid_t child = fork();
    if (child == 0) {
        if (maxBytes > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(maxBytes), RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        SqlRegister reg;
        const QByteArray why = (refusal(reg.open(path)) + refusal(reg.import(births, {}))).toUtf8();
        (void)!write(fd, why.constData(), size_t(why.size()));
        _exit(0);
    }
    return child;
}

} // namespace

class RegisterTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file(const char* name) { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void keepsBirthsPrivatelyAndChangesThem() {
        const QString path = file("privat/geburten.sqlite");
        SqlRegister reg;
        value(reg.open(path));
        QCOMPARE(mode(dir_.filePath("privat")), 0700);
        QCOMPARE(mode(path), 0600);

        Birth b = person(1);
        b.time.reset();
        b.note = QStringLiteral("Zwei\nZeilen");
        b.id = value(reg.add(b));
        b.firstName = QStringLiteral("Änne");
        value(reg.update(b));
        value(reg.remove({value(reg.add(person(2)))}));

        SqlRegister again; // a second window on the same file
        value(again.open(path));
        const QList<Birth> births = value(again.list());
        QCOMPARE(births.size(), 1);
        QVERIFY(sameData(births[0], b));
        // A name is found case and accents aside, and never by its place.
        QCOMPARE(birthsNamed(births, QStringLiteral("ANNE")).size(), 1);
        QCOMPARE(birthsNamed(births, QStringLiteral("koln")).size(), 0);
    }

    // A register of the user's that others could read becomes the owner's alone on opening, with
    // its log files; one of someone else's keeps what its owner gave it.
    void openingMakesTheRegisterPrivate_data() {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<bool>("others");
        QTest::addColumn<int>("after");
        QTest::newRow("0644") << 0644 << false << 0600;
        QTest::newRow("0640 of someone else") << 0640 << true << 0640;
    }
    void openingMakesTheRegisterPrivate() {
        QFETCH(int, permissions);
        QFETCH(bool, others);
        QFETCH(int, after);
        if (others && geteuid() != 0)
            QSKIP("only root gives a file to someone else");
        const QString path = file(qPrintable(QStringLiteral("offen%1.sqlite").arg(permissions)));
        fill(path, {person(1)});
        // Another session holds the register open: its log files are there, made as the
        // register was.
        SqlRegister session;
        value(session.open(path));
        value(session.add(person(2)));
        for (const QString& name : {path, path + "-wal", path + "-shm"}) {
            const QByteArray native = QFile::encodeName(name);
            QVERIFY(!others || chown(native.constData(), 65534, 65534) == 0);
            QVERIFY(chmod(native.constData(), mode_t(permissions)) == 0);
        }
        SqlRegister reg;
        value(reg.open(path));
        QCOMPARE(value(reg.list()).size(), 2);
        QCOMPARE(mode(path), after);
        QCOMPARE(mode(path + "-wal"), after);
        QCOMPARE(mode(path + "-shm"), after);
    }

    // Births deleted together go all or none: one that cannot be deleted (kept here by a trigger,
    // as a full disk or another session would) keeps the others too.
    void removingSeveralKeepsAllWhenOneFails() {
        const QString path = file("loeschen.sqlite");
        SqlRegister reg;
        value(reg.open(path));
        const qint64 first = value(reg.add(person(1))), kept = value(reg.add(person(2)));
        sql(path, QStringLiteral("CREATE TRIGGER kept BEFORE DELETE ON births WHEN old.id=%1 "
                                 "BEGIN SELECT raise(ABORT, 'bleibt'); END")
                      .arg(kept));
        QVERIFY(refusal(reg.remove({first, kept}))
                    .startsWith("Das Geburtenregister wurde nicht geändert: Fehler der Datenbank"));
        QCOMPARE(value(reg.list()).size(), 2);
    }

    void importAddsNothingTwice() {
        SqlRegister reg;
        value(reg.open(file("import.sqlite")));
        QFile sample(QStringLiteral(ZEITRAD_TEST_DATA "/sample.aaf"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const AafRead read = readAaf(sample.readAll());
        QCOMPARE(value(reg.import(read.births, read.lines)).added, 5);
        const ImportReport second = value(reg.import(read.births, read.lines));
        QCOMPARE(second.added, 0);
        QCOMPARE(second.duplicateLines, (QList<int>{2, 7, 8, 10, 13}));
        QCOMPARE(
            importReportText(second, read.skipped.mid(0, 1)),
            "0 Geburten aufgenommen.\n"
            "Zeile 2: schon im Register, nicht doppelt aufgenommen.\n"
            "Zeile 7: schon im Register, nicht doppelt aufgenommen.\n"
            "Zeile 8: schon im Register, nicht doppelt aufgenommen.\n"
            "Zeile 10: schon im Register, nicht doppelt aufgenommen.\n"
            "Zeile 13: schon im Register, nicht doppelt aufgenommen.\n"
            "Zeile 16: übersprungen – Das Datum „31.2.1990“ ist kein Tag (erwartet: T.M.JJJJ).");
        QCOMPARE(value(reg.list()).size(), 5);
    }

    // An import cancelled while it writes keeps none of the births; read through to the end, the
    // file's records go in.
    void cancelledImportKeepsNothing() {
        SqlRegister reg;
        value(reg.open(file("abgebrochen.sqlite")));
        const QString sample = QStringLiteral(ZEITRAD_TEST_DATA "/sample.aaf");
        QList<qsizetype> heard;
        const auto cancelled = importFile(reg, sample, {}, [&](qsizetype done, qsizetype total) {
            heard << done * 1000 / total;
            return done < 500; // reading is the first half of the work
        });
        QCOMPARE(refusal(cancelled), "Der Import wurde abgebrochen; es wurde nichts aufgenommen.");
        QCOMPARE(heard, (QList<qsizetype>{0, 500}));
        QCOMPARE(value(reg.list()).size(), 0);
        // Without an atlas the record without #B93 is skipped, and the report says why.
        const Imported imported = value(importFile(reg, sample, {}));
        QCOMPARE(imported.report.added, 4);
        QCOMPARE(imported.skipped.value(0).reason,
                 "Ohne #B93 braucht der Datensatz den Ortsatlas, der nicht geladen werden konnte.");
    }

    // A birth keeps its ayanamsa across saving and opening; a register of version 1 (before the
    // ayanamsa was kept) is carried forward, its births with Zeitrad's own.
    void aBirthKeepsItsAyanamsa() {
        const QString path = file("ayanamsa.sqlite");
        sql(path,
            "CREATE TABLE births (id INTEGER PRIMARY KEY, surname TEXT NOT NULL, first_name "
            "TEXT NOT NULL, kind TEXT NOT NULL, date TEXT NOT NULL, time TEXT, place TEXT NOT "
            "NULL, country TEXT NOT NULL, latitude REAL, longitude REAL, zone TEXT NOT NULL, "
            "note TEXT NOT NULL, added TEXT NOT NULL, changed TEXT NOT NULL)");
        sql(path, "INSERT INTO births VALUES (1, 'Alt', 'Anna', 'female', '1950-06-01', "
                  "'08:00:00', 'Köln', 'D', 50.94, 6.96, 'Europe/Berlin', '', "
                  "'2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')");
        sql(path, "PRAGMA user_version=1");
        sql(path, QStringLiteral("PRAGMA application_id=%1").arg(SqlRegister::applicationId));
        {
            SqlRegister reg;
            value(reg.open(path));
            QVERIFY(!reg.readOnly());
            QList<Birth> births = value(reg.list());
            QCOMPARE(births.size(), 1);
            QCOMPARE(births[0].surname, "Alt");
            QCOMPARE(births[0].ayanamsa, zeitrad::astronomy::Ayanamsa::zeitrad);
            births[0].ayanamsa = zeitrad::astronomy::Ayanamsa::raman;
            value(reg.update(births[0]));
            Birth added = person(7);
            added.ayanamsa = zeitrad::astronomy::Ayanamsa::truePushya;
            value(reg.add(added));
        }
        QCOMPARE(sql(path, "PRAGMA user_version").toInt(), 3);
        QCOMPARE(sql(path, "SELECT ayanamsa FROM births WHERE id=1").toString(), "raman");
        SqlRegister again;
        value(again.open(path));
        const QList<Birth> births = value(again.list());
        QCOMPARE(births.size(), 2);
        QCOMPARE(births[0].ayanamsa, zeitrad::astronomy::Ayanamsa::raman);
        QCOMPARE(births[1].ayanamsa, zeitrad::astronomy::Ayanamsa::truePushya);
    }

    // A register of version 2 (no events) is carried forward: its births stay, and each keeps its
    // events by day, with or without a time, important or not; a change is kept, a deletion takes
    // the event, and deleting a birth takes its events with it and leaves another birth's alone.
    void eventsKeptChangedAndDeletedWithTheirBirth() {
        const QString path = file("ereignisse.sqlite");
        fill(path, {person(1)});
        sql(path, "DROP TABLE events");
        sql(path, "PRAGMA user_version=2");
        Event wedding{0, 0, QDate(1975, 5, 3), QTime(14, 30), QStringLiteral("Hochzeit"), true};
        Event moving{0, 0, QDate(1972, 9, 1), {}, QStringLiteral("Umzug"), false};
        qint64 other = 0;
        {
            SqlRegister reg;
            value(reg.open(path));
            wedding.birthId = moving.birthId = value(reg.list()).value(0).id;
            other = value(reg.add(person(2)));
            wedding.id = value(reg.addEvent(wedding));
            moving.id = value(reg.addEvent(moving));
            value(reg.addEvent({0, other, QDate(1990, 1, 1), {}, QStringLiteral("Abitur"), false}));
            // An event for a birth that is not there, or without a text, is not kept.
            QCOMPARE(refusal(reg.addEvent({0, 99, QDate(1990, 1, 1), {}, "X", false})),
                     "Diese Geburt steht nicht mehr im Register; das Ereignis wurde nicht "
                     "gespeichert.");
            QCOMPARE(refusal(reg.addEvent({0, other, QDate(1990, 1, 1), {}, "  ", false})),
                     "Das Ereignis braucht einen Text; nichts gespeichert.");
        }
        QCOMPARE(sql(path, "PRAGMA user_version").toInt(), 3);
        QCOMPARE(
            sql(path,
                "SELECT group_concat(weight, ' ') FROM (SELECT weight FROM events ORDER BY id)")
                .toString(),
            "wichtig normal normal");
        SqlRegister reg;
        value(reg.open(path));
        // By day: the move of 1972 before the wedding of 1975.
        QVERIFY(value(reg.events(wedding.birthId)) == (QList<Event>{moving, wedding}));
        wedding.text = QStringLiteral("Standesamt");
        wedding.time.reset();
        wedding.important = false;
        value(reg.updateEvent(wedding));
        value(reg.removeEvents({moving.id}));
        QVERIFY(value(reg.events(wedding.birthId)) == QList<Event>{wedding});

        value(reg.remove({wedding.birthId}));
        QCOMPARE(sql(path, "SELECT group_concat(text) FROM events").toString(), "Abitur");
        QCOMPARE(refusal(reg.updateEvent(wedding)),
                 "Dieses Ereignis steht nicht mehr im Register.");
    }

    void newerFileOpensReadOnly() {
        const QString path = file("neuer.sqlite");
        fill(path, {person(1)});
        sql(path, "PRAGMA user_version=4");
        SqlRegister reg;
        value(reg.open(path));
        QVERIFY(reg.readOnly());
        const QString reason = "Das Geburtenregister stammt aus einer neueren Zeitrad-Version; es "
                               "ist nur zum Lesen geöffnet.";
        QCOMPARE(reg.readOnlyReason(), reason);
        QCOMPARE(value(reg.list()).size(), 1);
        QCOMPARE(refusal(reg.add(person(2))), reason);
        QCOMPARE(refusal(reg.import({person(3)}, {1})), reason);
    }

    void damagedOrForeignFileIsLeftAsItWas_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "text.sqlite";
        QTest::newRow("another program's database") << "fremd.sqlite";
        QTest::newRow("damaged register") << "kaputt.sqlite";
    }
    void damagedOrForeignFileIsLeftAsItWas() {
        QFETCH(QString, name);
        const QString path = dir_.filePath(name);
        if (name == "fremd.sqlite")
            sql(path, "CREATE TABLE notes (text TEXT)");
        if (name == "kaputt.sqlite")
            fill(path, people(400));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (name == "text.sqlite")
            f.write("#A93:Müller,Jürgen,m,3.7.1985,14:30,München,D\n");
        if (name == "kaputt.sqlite") {
            QVERIFY(f.size() > 3 * 4096);
            f.seek(2 * 4096);
            f.write(QByteArray(4096, '\x5A'));
        }
        f.close();
        QVERIFY(chmod(QFile::encodeName(path).constData(), 0644) == 0);
        const QByteArray before = bytesOf(path);
        const QStringList filesBefore = QDir(dir_.path()).entryList(QDir::Files);
        SqlRegister reg;
        QCOMPARE(refusal(reg.open(path)),
                 QStringLiteral("Die Datei „%1“ ist beschädigt oder kein Geburtenregister von "
                                "Zeitrad. Sie bleibt unverändert.")
                     .arg(path));
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(mode(path), 0644);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), filesBefore);
    }

    void twoProgramsSavingAtOnceLoseNothing() {
        const QString path = file("zwei.sqlite");
        fill(path, {});
        pid_t children[2];
        for (int c = 0; c < 2; ++c) {
            children[c] = fork();
            if (children[c] == 0) {
                SqlRegister reg;
                bool ok = std::holds_alternative<Done>(reg.open(path));
                for (int i = 0; i < 150 && ok; ++i)
                    ok = std::holds_alternative<qint64>(reg.add(person(c * 1000 + i)));
                _exit(ok ? 0 : 1);
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QCOMPARE(checkFile(path), qMakePair(QStringLiteral("ok"), 300));
    }

    void folderThatCannotBeWritten() {
        // A folder that cannot be made (not even by root): /proc takes no new folders.
        SqlRegister reg;
        QCOMPARE(refusal(reg.open(QStringLiteral("/proc/zeitrad-probe/geburten.sqlite"))),
                 "Der Ordner „/proc/zeitrad-probe“ für das Geburtenregister lässt sich nicht "
                 "anlegen.");
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        const QString folder = file("nurlesen");
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const QString path = folder + "/geburten.sqlite";
        QCOMPARE(refusal(reg.open(path)),
                 QStringLiteral("Das Geburtenregister „%1“ lässt sich nicht anlegen: der Ordner "
                                "ist schreibgeschützt oder voll.")
                     .arg(path));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!QFile::exists(path));
    }

    // An import is one transaction: killed at any moment, or stopped by a full disk (made here by
    // a limit on the size of the files the child may write), the file holds none of it or all. A
    // full disk is refused with a German message.
    void stoppedImportKeepsNoneOrAll_data() {
        QTest::addColumn<int>("killAfterMs"); // -1: not killed, the disk is full
        QTest::newRow("full disk") << -1;
        for (const int ms : {0, 15, 40, 80, 150, 400})
            QTest::newRow(qPrintable(QStringLiteral("killed after %1 ms").arg(ms))) << ms;
    }
    void stoppedImportKeepsNoneOrAll() {
        QFETCH(int, killAfterMs);
        const QString path = dir_.filePath(QStringLiteral("abbruch%1.sqlite").arg(killAfterMs));
        fill(path, {person(-1)});
        const bool full = killAfterMs < 0;
        int fds[2];
        QVERIFY(pipe(fds) == 0);
        const pid_t child =
            importInChild(path, full ? QFileInfo(path).size() + 64 * 1024 : 0, fds[1]);
        close(fds[1]);
        if (!full) {
            QThread::msleep(killAfterMs);
            kill(child, SIGKILL);
        }
        QFile said;
        QVERIFY(said.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        const QByteArray why = said.readAll();
        waitpid(child, nullptr, 0);
        const auto [check, count] = checkFile(path);
        QCOMPARE(check, QStringLiteral("ok"));
        QVERIFY2(count == 1 || count == 20001, qPrintable(QString::number(count)));
        if (full) {
            QVERIFY2(why.startsWith("Das Geburtenregister"), why.constData());
            QCOMPARE(count, 1);
        }
        SqlRegister reg;
        value(reg.open(path));
        QCOMPARE(value(reg.list()).size(), count);
    }
};

QTEST_GUILESS_MAIN(RegisterTest)
#include "register_test.moc"
