#include "app/links.h"

#include <QDesktopServices>
#include <QUrl>

#include "screens/contact.h"

namespace zeitrad::ui {

namespace {
const QString mail = "mailto:" + contact::publisherMail;
const QString site = "http://" + contact::publisherHost;
const QString secondSite = "http://" + contact::secondSiteHost;
} // namespace

const QList<Link>& links() {
    // The web address shown on the info and course screens starts a mail, like its neighbours.
    static const QList<Link> table = {
        {"Label251", site},
        {"Label252", mail},
        {"Label415", mail},
        {"Label259", mail},
        {"Label421", secondSite + "/raduzir/index.html?categoryId=7"},
        {"Label420", mail},
        {"Label429", site + "/pd2079206682.htm"},
        {"Label433", site + "/pi-412763821.htm?categoryId=3"},
        {"Label431", mail},
        {"Label432", mail},
    };
    return table;
}

QString linkTarget(const QString& label) {
    for (const Link& link : links())
        if (label == QLatin1String(link.label))
            return link.target;
    return {};
}

void openTarget(const QString& target) {
    // Qt hands the URL to the desktop's opener (xdg-open) as a detached process and does not
    // wait for the browser or mail program.
    QDesktopServices::openUrl(QUrl(target, QUrl::StrictMode));
}

} // namespace zeitrad::ui
