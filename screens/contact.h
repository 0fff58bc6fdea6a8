// The publisher's and the second site's addresses, as the screens show them.
#pragma once

#include <QString>

namespace zeitrad::screens::contact {

inline const QString publisherHost = "www.kelmora.example";
inline const QString publisherMail = "verlag@kelmora.example";
inline const QString secondSiteHost = "www.jyotisha.example";

} // namespace zeitrad::screens::contact
