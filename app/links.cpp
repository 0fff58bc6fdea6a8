#include "app/links.h"

#include <QDesktopServices>
#include <QUrl>

#include "screens/contact.h"

namespace zeitrad::app {

using namespace zeitrad::screens;

const LinkTargets& linkTargets() {
    static const QString site = "http://" + contact::publisherHost;
    static const LinkTargets targets{
        .site = site,
        .mail = "mailto:" + contact::publisherMail,
        .secondSite = "http://" + contact::secondSiteHost + "/raduzir/index.html?categoryId=7",
        .order = site + "/pd2079206682.htm",
        .titles = site + "/pi-412763821.htm?categoryId=3",
    };
    return targets;
}

void openTarget(const QString& target) {
    // Qt hands the URL to the desktop's opener (xdg-open) as a detached process and does not
    // wait for the browser or mail program.
    QDesktopServices::openUrl(QUrl(target, QUrl::StrictMode));
}

} // namespace zeitrad::app
