// What the link labels open, and handing a target to the desktop.
#pragma once

#include <QHash>
#include <QString>

namespace zeitrad::widgets {
class Label;
}

namespace zeitrad::app {

// The targets of the link labels: the publisher's site and mail, the second site, and the
// publisher's order page and list of further titles.
struct LinkTargets {
    QString site, mail, secondSite, order, titles;
};
const LinkTargets& linkTargets();

// The window's link labels, each with the target it opens, keyed by the label itself.
using Links = QHash<const widgets::Label*, QString>;

// Hands the target to the desktop's URL opener and returns at once; the outcome is not looked at.
void openTarget(const QString& target);

} // namespace zeitrad::app
