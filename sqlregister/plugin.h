// The register as a plugin, so that the window loads Qt SQL only when the register is opened.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QtPlugin>

#include "sqlregister/sqlregister.h"

namespace zeitrad::sqlregister {

class RegisterPlugin : public QObject, public SqlRegister {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.zeitrad.Register/4")
    Q_INTERFACES(zeitrad::birth::Register)
public:
    // Qt keeps the plugin's instance until after the application is gone, when the SQLite
    // driver can no longer close the connection; it is closed as the application ends.
    RegisterPlugin() {
        instance_ = this;
        qAddPostRoutine([] {
            if (instance_)
                instance_->close();
        });
    }
    ~RegisterPlugin() override { instance_ = nullptr; }

private:
    static inline RegisterPlugin* instance_ = nullptr;
};

} // namespace zeitrad::sqlregister
