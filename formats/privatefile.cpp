#include "formats/privatefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zeitrad::formats {

using birth::Done;

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The system's reason for a failed file operation, in German where it is one of those a user
// meets; the C library's words otherwise.
QString systemReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Berechtigung");
    case ENOENT:
        return QStringLiteral("den Ordner oder die Datei gibt es nicht");
    case ENOTDIR:
        return QStringLiteral("ein Teil des Pfads ist kein Ordner");
    case EISDIR:
        return QStringLiteral("das ist ein Ordner");
    case ENOSPC:
        return QStringLiteral("der Datenträger ist voll");
    case EDQUOT:
        return QStringLiteral("der zugeteilte Platz auf dem Datenträger ist erschöpft");
    case EROFS:
        return QStringLiteral("das Dateisystem ist schreibgeschützt");
    case EIO:
        return QStringLiteral("Ein- und Ausgabefehler des Datenträgers");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Why an operation on the file failed: the system's reason where the system gave one (errno is
// cleared before the operation), else Qt's.
QString reasonOf(const QString& path, const QFileDevice& file) {
    if (QFileInfo(path).isDir())
        return systemReason(EISDIR);
    return errno != 0 ? systemReason(errno) : file.errorString();
}

// What stood at the path before a write, so that a refused write can put it back: a file made
// here to hold the place (none was there), or the permissions of an earlier file that were
// narrowed to the owner.
struct Before {
    bool made = false;
    std::optional<mode_t> mode;
};

// Takes the rights of group and others from the user's own file; false, with errno, when they
// stay.
bool ownersAlone(const QByteArray& name, const struct stat& st) {
    return (st.st_mode & 077) == 0 || ::chmod(name.constData(), st.st_mode & 07700) == 0;
}

// Makes the file at `path` its owner's alone before anything is written: QSaveFile gives its new
// file the permissions of the earlier one, or, when there is none, those of the umask (0644
// mostly), and so does QSettings, which writes through QSaveFile. So an empty file is made
// with 0600 where there is none, and an earlier file of the user's loses the rights of others.
// Anything else at the path (a folder, another's file) is left to the writer to refuse.
Refused<Before> makePrivate(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) == 0) {
        Before before;
        if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0 &&
            ownersAlone(name, st))
            before.mode = st.st_mode & 07777;
        return before;
    }
    if (errno != ENOENT)
        return writeFailure(path, systemReason(errno));
    const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return writeFailure(path, systemReason(errno));
    ::close(fd);
    return Before{true, std::nullopt};
}

void putBack(const QString& path, const Before& before) {
    if (before.made)
        QFile::remove(path);
    else if (before.mode)
        ::chmod(QFile::encodeName(path).constData(), *before.mode);
}

} // namespace

Refusal writeFailure(const QString& path, QString reason) {
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return Refusal{QStringLiteral("Die Datei „%1“ ließ sich nicht schreiben: %2. Eine frühere "
                                  "Datei dieses Namens bleibt unverändert.")
                       .arg(shown(path), reason)
                       .toStdString()};
}

Refused<Done> savePrivately(const QString& path, const QByteArray& bytes) {
    const Refused<Before> prepared = makePrivate(path);
    if (const auto* refusal = std::get_if<Refusal>(&prepared))
        return *refusal;
    const Before& before = std::get<Before>(prepared);
    // Written beside the old file and put in its place only when complete; until then the
    // destructor throws the new one away.
    QSaveFile file(path);
    auto refuse = [&](const QString& reason) {
        file.cancelWriting();
        putBack(path, before);
        return writeFailure(path, reason);
    };
    // Unbuffered, so that the write below is the file's: QSaveFile commits a buffered write that
    // the disk took only in part (a full disk), as if it were whole.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !file.setPermissions(ownerOnly))
        return refuse(reasonOf(path, file));
    errno = 0;
    if (file.write(bytes) != bytes.size())
        return refuse(errno != 0 || file.error() != QFileDevice::NoError ? reasonOf(path, file)
                                                                         : systemReason(EIO));
    errno = 0;
    if (!file.commit())
        return refuse(reasonOf(path, file));
    return Done{};
}

Refused<Done> savePrivately(const QString& path, const std::function<bool(QIODevice&)>& fill) {
    // Made in memory first: what the writers (QPdfWriter, QImage) leave of a failed write is
    // never seen, and the file gets all of it or nothing.
    QBuffer content;
    content.open(QIODevice::WriteOnly);
    if (!fill(content))
        return writeFailure(path, QStringLiteral("der Inhalt ließ sich nicht erzeugen"));
    return savePrivately(path, content.data());
}

Refused<Done> syncPrivately(QSettings& settings) {
    const QString path = settings.fileName();
    // QSettings makes the folder when it writes; here it has to be there before the file.
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Refused<Before> prepared = makePrivate(path);
    if (const auto* refusal = std::get_if<Refusal>(&prepared))
        return *refusal;
    // QSettings keeps the first error it met: one from before this write (a program without an
    // organisation name has one from the start) is not this write's. It tells no system error;
    // its status says which kind of failure it was.
    const bool clean = settings.status() == QSettings::NoError;
    settings.sync();
    if (clean && settings.status() != QSettings::NoError) {
        putBack(path, std::get<Before>(prepared));
        return writeFailure(path, settings.status() == QSettings::FormatError
                                      ? QStringLiteral("sie ist keine Einstellungsdatei")
                                      : QStringLiteral("kein Schreibzugriff, oder der "
                                                       "Datenträger ist voll"));
    }
    // Whatever wrote the file meanwhile, it is the owner's alone when this returns.
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) == 0 && !ownersAlone(name, st))
        return writeFailure(path, systemReason(errno));
    return Done{};
}

Refused<QByteArray> readBounded(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return Refusal{
            QStringLiteral("Die Datei „%1“ gibt es nicht.").arg(shown(path)).toStdString()};
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return Refusal{QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2.")
                           .arg(shown(path), reasonOf(path, file))
                           .toStdString()};
    const auto tooLarge = [&] {
        return Refusal{QStringLiteral("Die Datei „%1“ ist größer als 64 MiB; so große Dateien "
                                      "liest Zeitrad nicht. Es wurde nichts gelesen.")
                           .arg(shown(path))
                           .toStdString()};
    };
    // The size of what was opened; a pipe or a file that grows meanwhile is bounded by the read.
    if (file.size() > maxReadBytes)
        return tooLarge();
    errno = 0;
    const QByteArray bytes = file.read(maxReadBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refusal{QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2.")
                           .arg(shown(path), reasonOf(path, file))
                           .toStdString()};
    if (bytes.size() > maxReadBytes)
        return tooLarge();
    return bytes;
}

} // namespace zeitrad::formats
