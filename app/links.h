// The link labels' targets, and handing a target to the desktop.
#pragma once

#include <QList>
#include <QString>

namespace zeitrad::ui {

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
