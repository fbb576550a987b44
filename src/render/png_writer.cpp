#include "png_writer.h"

#include "output_file.h"
#include "render_error.h"
#include "translation.h"

#include <csetjmp>
#include <cstddef>
#include <new>
#include <png.h>
#include <vector>

namespace render {

namespace {

struct Encoded {
    std::vector<unsigned char> bytes;
    bool outOfMemory = false;
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* encoded = static_cast<Encoded*>(png_get_io_ptr(png));
    try {
        encoded->bytes.insert(encoded->bytes.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        encoded->outOfMemory = true;
    }
    // libpng leaves through its error handler; an exception must not cross its C frames.
    if (encoded->outOfMemory)
        png_error(png, "out of memory");
}

void noFlush(png_structp) {}

// The command reports a failure in one line of its own, so libpng's notices are not printed.
[[noreturn]] void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void quietWarning(png_structp, png_const_charp) {}

// Encodes the frame as an 8-bit RGB picture. libpng reports an error by jumping back to the
// setjmp below, so nothing here may own memory that a jump would leave behind: the encoder's
// structures are freed on both ways out, and the bytes belong to the caller.
bool encodePng(const platform::PixelCanvas& frame, Encoded& encoded) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &encoded, appendBytes, noFlush);
    png_set_IHDR(png, info, png_uint_32(frame.width()), png_uint_32(frame.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The canvas's pixels are the bytes R, G, B, A; the alpha byte, always opaque, is left out.
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    const auto* rows = reinterpret_cast<const unsigned char*>(frame.bits());
    const std::size_t stride = std::size_t(frame.width()) * 4;
    for (int y = 0; y < frame.height(); ++y)
        png_write_row(png, rows + std::size_t(y) * stride);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

void writePng(const platform::PixelCanvas& frame, const std::string& path) {
    // The temporary file comes first, so a name that cannot be written is reported before any
    // work is done.
    OutputFile file(path);
    // The picture is encoded in memory, where nothing can fail but the encoder itself, and
    // written here: a full disk is then one error with the system's reason, which the image
    // library would report in words of its own.
    Encoded encoded;
    if (!encodePng(frame, encoded))
        throw RenderError(file.failure("", encoded.outOfMemory
                                               ? sound::tr("メモリが足りません")
                                               : sound::tr("PNG の書き出しに失敗しました")));
    file.write(encoded.bytes.data(), encoded.bytes.size());
    file.commit();
}

} // namespace render
