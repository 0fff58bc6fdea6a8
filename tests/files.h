// Files as the tests of saving and reading look at them: their permissions and bytes, an earlier
// file, and a full disk.
#pragma once

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace testfiles {

inline int mode(const QString& path) {
    struct stat st = {};
    stat(QFile::encodeName(path).constData(), &st);
    return int(st.st_mode & 0777);
}

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A file as an earlier program or the user left it.
inline void make(const QString& path, const QByteArray& bytes, int permissions = 0644) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    chmod(QFile::encodeName(path).constData(), mode_t(permissions));
}

// While it lives, no file of the process grows beyond `bytes`: a full disk, also for root.
struct FullDisk {
    rlimit before{};
    explicit FullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{bytes, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &before); }
};

} // namespace testfiles
