#include "birth/plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPluginLoader>

namespace zeitrad::birth {

namespace {

QStringList folders() {
    QStringList list;
#ifdef ZEITRAD_BUILD_PLUGIN_DIR
    list << QStringLiteral(ZEITRAD_BUILD_PLUGIN_DIR);
#endif
    if (QCoreApplication::instance())
        list << QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/zeitrad");
#ifdef ZEITRAD_PLUGIN_DIR
    list << QStringLiteral(ZEITRAD_PLUGIN_DIR);
#endif
    return list;
}

} // namespace

QObject* loadPlugin(const QString& name, QString* why) {
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
    if (why)
        *why = reason.isEmpty()
                   ? QStringLiteral("Der Programmteil %1 ist nicht installiert.").arg(file)
                   : QStringLiteral("Der Programmteil %1 lässt sich nicht laden: %2")
                         .arg(file, reason);
    return nullptr;
}

} // namespace zeitrad::birth
