#include "png_writer.h"

#include "render_error.h"

#include <QImage>
#include <QSaveFile>

namespace render {

void writePng(const platform::PixelCanvas& frame, const QString& path) {
    // The canvas stores 0xFFRRGGBB, which is what RGB32 reads, so no copy is made.
    const QImage image(reinterpret_cast<const uchar*>(frame.bits()), frame.width(), frame.height(),
                       frame.width() * 4, QImage::Format_RGB32);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RenderError("cannot write '" + path.toStdString() +
                          "': " + file.errorString().toStdString());
    if (!image.save(&file, "PNG"))
        throw RenderError("cannot write '" + path.toStdString() + "': " +
                          (file.error() != QFileDevice::NoError
                               ? file.errorString().toStdString()
                               : std::string("the PNG encoder failed")));
    if (!file.commit())
        throw RenderError("cannot write '" + path.toStdString() +
                          "': " + file.errorString().toStdString());
}

} // namespace render
