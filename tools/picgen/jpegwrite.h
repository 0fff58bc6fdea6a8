// JPEG encoding for the pictures, with libjpeg called directly: full-resolution colour (no chroma
// subsampling), so that thin lines and small glyphs keep their colours crisp.
#pragma once

#include <QByteArray>
#include <QImage>

namespace zeitrad::picgen {

// The image encoded as a baseline JPEG at the given quality (1 to 100), colour sampled at every
// pixel. Fails (ends picgen with libjpeg's message) only when libjpeg itself fails.
QByteArray encodeJpeg(const QImage& image, int quality);

} // namespace zeitrad::picgen
