#include "widgets/pictureloader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <utility>
#include <vector>

#include "widgets/jpeg.h"

namespace zeitrad::ui {

namespace {

QImage decodePicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    if (data.startsWith("\xFF\xD8"))
        return decodeJpeg(data);
    // Qt reads PNG and BMP itself; naming the format spares it loading every image plugin to ask
    // which one reads the data.
    const char* format = data.startsWith("\x89PNG") ? "png" : data.startsWith("BM") ? "bmp" : "";
    QBuffer buffer(&data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(*format == 0);
    return reader.read();
}

// The preload whose results loadPicture() takes. Touched only by the thread that loads pictures;
// the decoding thread only keeps the promises.
PicturePreload* activePreload = nullptr;

} // namespace

PicturePreload::PicturePreload(const QStringList& resources) {
    if (activePreload)
        return;
    activePreload = this;
    std::vector<std::pair<QString, std::promise<QImage>>> jobs;
    for (const QString& resource : resources) {
        if (pending_.contains(resource))
            continue;
        std::promise<QImage> promise;
        pending_.emplace(resource, promise.get_future());
        jobs.emplace_back(resource, std::move(promise));
    }
    // One thread decodes them in the order given: a second core is all the start has to spare.
    decoder_ = std::thread([jobs = std::move(jobs)]() mutable {
        for (auto& [resource, promise] : jobs)
            promise.set_value(decodePicture(resource));
    });
}

PicturePreload::~PicturePreload() {
    if (decoder_.joinable())
        decoder_.join();
    if (activePreload == this)
        activePreload = nullptr;
}

QImage loadPicture(const QString& resource) {
    if (activePreload) {
        auto& pending = activePreload->pending_;
        if (auto it = pending.find(resource); it != pending.end()) {
            QImage image = it->second.get();
            pending.erase(it);
            return image;
        }
    }
    return decodePicture(resource);
}

} // namespace zeitrad::ui
