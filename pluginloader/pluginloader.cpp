#include "pluginloader/pluginloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPluginLoader>

namespace zeitrad::pluginloader {

namespace {

// The program's own folder. zeitrad-dasa has no QCoreApplication: the kernel names its file.
QString programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
        .absolutePath();
}

// True when `path` is `folder` or lies inside it.
bool inside(const QString& path, const QString& folder) {
    const QString p = QFileInfo(path).canonicalFilePath();
    const QString f = QFileInfo(folder).canonicalFilePath();
    return !p.isEmpty() && !f.isEmpty() && (p == f || p.startsWith(f + QLatin1Char('/')));
}

// Where the plugins are looked for: the folder that ZEITRAD_PLUGIN_PATH names; else the installed
// folder seen from the program's own (an install under any prefix finds its own plugins), then
// the build tree's plugin folder for a program in the build tree, or for any other the folder the
// build installs to. An installed program never loads the build tree's plugins.
QStringList folders() {
    const QString chosen = qEnvironmentVariable("ZEITRAD_PLUGIN_PATH");
    if (!chosen.isEmpty())
        return {chosen};
    QStringList list;
    const QString programDir = programFolder();
    list << QDir(programDir).absoluteFilePath(QStringLiteral(ZEITRAD_PLUGIN_DIR_FROM_BIN));
    if (inside(programDir, QStringLiteral(ZEITRAD_BUILD_DIR)))
        list << QStringLiteral(ZEITRAD_BUILD_PLUGIN_DIR);
    else
        list << QStringLiteral(ZEITRAD_PLUGIN_DIR);
    return list;
}

} // namespace

Refused<QObject*> loadPlugin(const QString& name) {
    static QHash<QString, QObject*> loaded;
    if (QObject* object = loaded.value(name))
        return object;
    const QString file = QStringLiteral("libzeitrad_%1.so").arg(name);
    QString reason;
    for (const QString& folder : folders()) {
        const QString path = QDir(folder).absoluteFilePath(file);
        if (!QFileInfo::exists(path))
            continue;
        QPluginLoader loader(path);
        if (QObject* object = loader.instance()) {
            loaded.insert(name, object);
            return object;
        }
        reason = loader.errorString();
    }
    return Refusal{
        (reason.isEmpty()
             ? QStringLiteral("Der Programmteil %1 ist nicht installiert.").arg(file)
             : QStringLiteral("Der Programmteil %1 lässt sich nicht laden: %2").arg(file, reason))
            .toStdString()};
}

} // namespace zeitrad::pluginloader
