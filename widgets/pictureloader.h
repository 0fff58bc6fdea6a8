// Loading the pictures held in the program's resources: JPEG data through libjpeg, PNG and BMP
// through Qt. A window that shows pictures as soon as it opens can have them decoded ahead, on a
// second core, while it is being built.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <future>
#include <map>
#include <thread>

namespace zeitrad::ui {

// Decodes a picture from the resources; a null image when it is missing or damaged. The first
// load of a picture that a PicturePreload holds takes the preloaded result instead.
QImage loadPicture(const QString& resource);

// Decodes the given pictures on a thread of its own, in the order given. While it exists, the
// first loadPicture() of each of them takes its result, waiting for it if need be; later loads
// decode afresh. Only one preload can be active at a time (a second one preloads nothing), and it
// must be made and destroyed on the thread that loads the pictures. Destroying it waits for the
// decoding thread.
class PicturePreload {
public:
    explicit PicturePreload(const QStringList& resources);
    ~PicturePreload();
    PicturePreload(const PicturePreload&) = delete;
    PicturePreload& operator=(const PicturePreload&) = delete;

private:
    friend QImage loadPicture(const QString& resource);

    std::map<QString, std::future<QImage>> pending_;
    std::thread decoder_;
};

} // namespace zeitrad::ui
