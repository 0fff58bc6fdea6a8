#include "birth/register.h"

#include <QDir>
#include <QStandardPaths>

namespace zeitrad::birth {

Refused<QList<Birth>> Register::search(const QString& text) {
    Refused<QList<Birth>> all = list();
    if (std::holds_alternative<Refusal>(all) || text.isEmpty())
        return all;
    const QString wanted = searchFolded(text);
    QList<Birth> found;
    for (const Birth& b : std::get<QList<Birth>>(all))
        if (searchFolded(b.name()).contains(wanted) || searchFolded(b.place).contains(wanted))
            found.append(b);
    return found;
}

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
