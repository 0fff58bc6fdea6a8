// Births read from an AAF file without a #B93 chunk know their place only by name and country;
// the atlas gives them coordinates and a time zone.
#pragma once

#include <QString>

#include "birth/atlas.h"
#include "formats/aaf.h"

namespace zeitrad::formats {

// The ISO 3166 code of an AAF country code: AAF writes the international vehicle codes ("D",
// "A", "CH", "F", "USA"); a code that is not one of those is taken as it is (upper case).
QString isoCountry(const QString& aafCountry);

// Gives every birth of `read` without clocks the zone (and, where the file gives none, the
// coordinates) of the place the atlas finds by its name and country (the country by its vehicle
// code, ISO code or name), a remark saying so, and then its Julian day's precedence. Where the
// atlas does not know the place, a birth whose zone difference the file gives without its summer
// time takes that difference alone (remarked); any other is moved to the skipped records with its
// line and a German reason.
// Without an atlas (nullptr: it could not be loaded, for the reason given) those births are skipped
// with that reason.
void placeFromAtlas(AafRead& read, birth::Atlas* atlas, const QString& noAtlasReason = {});

} // namespace zeitrad::formats
