#include "png_writer.h"

#include "output_file.h"
#include "render_error.h"

#include <QBuffer>
#include <QImage>

namespace render {

void writePng(const platform::PixelCanvas& frame, const std::string& path) {
    // The temporary file comes first, so a name that cannot be written is reported before any
    // work is done.
    OutputFile file(path);
    // The canvas stores the bytes R, G, B and an opaque A, which is what RGBX8888 reads, so no
    // copy is made.
    const QImage image(reinterpret_cast<const uchar*>(frame.bits()), frame.width(), frame.height(),
                       frame.width() * 4, QImage::Format_RGBX8888);
    // The picture is encoded in memory, where nothing can fail but the encoder itself, and
    // written here: a full disk is then one error with the system's reason, which the image
    // library would report in words of its own.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw RenderError(file.failure("", "the PNG encoder failed"));
    file.write(bytes.constData(), std::size_t(bytes.size()));
    file.commit();
}

} // namespace render
