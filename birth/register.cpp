#include "birth/register.h"

#include <QDir>
#include <QStandardPaths>

namespace zeitrad::birth {

QString defaultRegisterPath() {
    const QString chosen = qEnvironmentVariable("ZEITRAD_REGISTER");
    if (!chosen.isEmpty())
        return chosen;
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/zeitrad/geburten.sqlite");
}

} // namespace zeitrad::birth
