// Loading the pictures held in the program's resources: JPEG data through libjpeg, PNG and BMP
// through Qt, and pictures kept decoded, which cost no decoding at all. The window keeps the
// pictures it shows as it opens decoded, so that nothing stands between start and first paint.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zeitrad::widgets {

// Decodes a picture from the resources (or a file); a null image when it is missing or damaged.
// A picture kept decoded in the resources is shown where it lies, without a copy.
QImage loadPicture(const QString& resource);

// A picture's decoded form: the 8 bytes "ZPIXELS1", its width and height as 32-bit numbers in
// the byte order of the machine that made it, then its rows of 32-bit RGB pixels (0xffRRGGBB),
// top to bottom. The build makes it from a picture with the same decoder as loadPicture, for
// the same machine, so the window shows the same pixels either way.
QByteArray keepDecoded(const QImage& picture);

} // namespace zeitrad::widgets
