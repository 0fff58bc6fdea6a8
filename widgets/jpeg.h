// JPEG decoding with libjpeg, called directly. A damaged or truncated picture never ends the
// process: the decoder reports it and the caller gets a null image.
#pragma once

#include <QByteArray>
#include <QImage>

namespace zeitrad::widgets {

// Decodes baseline or progressive JPEG data (greyscale or colour) into an RGB32 image.
// Returns a null image when the data cannot be decoded completely.
QImage decodeJpeg(const QByteArray& data);

} // namespace zeitrad::widgets
