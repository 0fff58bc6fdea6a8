// The link labels' targets, and handing a target to the desktop.
#pragma once

#include <QString>
#include <QStringList>

namespace zeitrad::ui {

// The publisher's and the second site's addresses, as the screens show them.
namespace contact {
inline const QString publisherHost = "www.kelmora.example";
inline const QString publisherMail = "verlag@kelmora.example";
inline const QString secondSiteHost = "www.jyotisha.example";
} // namespace contact

struct Link {
    const char* label; // the label's object name
    QString target;    // what the desktop is asked to open
};

// Every link label of the program with the target it opens.
const QList<Link>& links();
QString linkTarget(const QString& label);

// Hands the target to the desktop's URL opener and returns at once; the outcome is not looked at.
void openTarget(const QString& target);

} // namespace zeitrad::ui
