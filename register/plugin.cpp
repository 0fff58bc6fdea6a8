// The register as a plugin, so that the window loads Qt SQL only when the register is opened.
#include <QObject>
#include <QtPlugin>

#include "register/sqlregister.h"

namespace zeitrad::reg {

class RegisterPlugin : public QObject, public SqlRegister {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZeitradRegister_iid)
    Q_INTERFACES(zeitrad::birth::Register)
};

} // namespace zeitrad::reg

#include "plugin.moc"
