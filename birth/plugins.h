// Libraries that only a later action needs (printing, the atlas, the register) are Qt plugins
// loaded on first use, so that nothing of them is mapped or relocated while the window starts.
//
// A plugin is a MODULE library made with zeitrad_add_plugin() (cmake/plugins.cmake). It is looked
// for in the build tree's plugin folder, then beside the program (../lib/zeitrad seen from bin/),
// then in the folder it is installed to.
#pragma once

#include <QObject>
#include <QString>

namespace zeitrad::birth {

// The plugin's instance (owned by Qt's plugin loader, alive until the program ends), or nullptr
// with the German reason in *why.
QObject* loadPlugin(const QString& name, QString* why = nullptr);

// The plugin's instance as its interface I (declared with Q_DECLARE_INTERFACE), or nullptr.
template <typename I> I* plugin(const QString& name, QString* why = nullptr) {
    QObject* object = loadPlugin(name, why);
    I* typed = qobject_cast<I*>(object);
    if (object && !typed && why)
        *why = QStringLiteral("Das Programmteil „%1“ passt nicht zu diesem Programm.").arg(name);
    return typed;
}

} // namespace zeitrad::birth
