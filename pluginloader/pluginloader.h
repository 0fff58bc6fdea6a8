// Libraries that only a later action needs (printing, the atlas, the register) are Qt plugins
// loaded on first use, so that nothing of them is mapped or relocated while the window starts.
//
// A plugin is a MODULE library made with zeitrad_add_plugin() (cmake/plugins.cmake). It is looked
// for in the installed folder seen from the program's own (<libdir>/zeitrad/plugins beside bin/),
// then, for a program in the build tree, in the build tree's plugin folder, for any other in the
// folder the build installs to. ZEITRAD_PLUGIN_PATH, when set, names the one folder to look in
// instead.
#pragma once

#include <QObject>
#include <QString>

#include "engine/refusal.h"

namespace zeitrad::pluginloader {

// The plugin's instance (owned by Qt's plugin loader, alive until the program ends); refused
// with the German reason when it is missing or cannot be loaded.
Refused<QObject*> loadPlugin(const QString& name);

// The plugin's instance as its interface I (declared with Q_DECLARE_INTERFACE).
template <typename I> Refused<I*> plugin(const QString& name) {
    const Refused<QObject*> object = loadPlugin(name);
    if (const auto* refusal = std::get_if<Refusal>(&object))
        return *refusal;
    if (I* typed = qobject_cast<I*>(std::get<QObject*>(object)))
        return typed;
    return Refusal{QStringLiteral("Der Programmteil „%1“ passt nicht zu diesem Programm.")
                       .arg(name)
                       .toStdString()};
}

} // namespace zeitrad::pluginloader
