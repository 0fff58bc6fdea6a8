#include "widgets/jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace zeitrad::widgets {

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the decoder instead.
// Corrupt-data warnings (a truncated file among them) count as failures too, so that a damaged
// picture is never shown half grey.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool damaged = false;
};

[[noreturn]] void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->escape, 1);
}

void onMessage(j_common_ptr info, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0)
        manager->damaged = true;
}

void silence(j_common_ptr) {}

// Everything that must survive a longjmp lives outside the function that calls setjmp.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;

    bool run(const QByteArray& data) {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = onError;
        errors.base.emit_message = onMessage;
        errors.base.output_message = silence;
        if (setjmp(errors.escape) != 0)
            return false;
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                     static_cast<unsigned long>(data.size()));
        if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
            return false;
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        if (info.output_components != 3)
            return false;
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
        if (image.isNull())
            return false;
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        return !errors.damaged;
    }
};

} // namespace

QImage decodeJpeg(const QByteArray& data) {
    if (data.isEmpty())
        return {};
    Decoder decoder;
    const bool ok = decoder.run(data);
    jpeg_destroy_decompress(&decoder.info);
    if (!ok)
        return {};
    return decoder.image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zeitrad::widgets
