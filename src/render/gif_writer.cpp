#include "gif_writer.h"

#include "output_file.h"
#include "render_error.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gif_lib.h>
#include <string>

namespace render {

namespace {

int writeToFile(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* file = static_cast<OutputFile*>(gif->UserData);
    return file->write(bytes, std::size_t(count)) ? count : 0;
}

struct Box {
    int left, top, width, height;
};

// The smallest box holding every pixel in which two frames differ. Identical frames give a
// box of one pixel: a frame needs an image to carry its delay.
Box changedBox(const unsigned char* now, const unsigned char* before, int width, int height) {
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = now + std::size_t(y) * width;
        const unsigned char* old = before + std::size_t(y) * width;
        if (std::memcmp(row, old, std::size_t(width)) == 0)
            continue;
        int x0 = 0, x1 = width - 1;
        while (row[x0] == old[x0])
            ++x0;
        while (row[x1] == old[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0)
        return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

// As a web colour, #RRGGBB.
std::string hexColour(platform::PixelCanvas::Pixel pixel) {
    const sound::Color c = platform::PixelCanvas::toColor(pixel);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(c & 0xFF), unsigned(c >> 8 & 0xFF),
                  unsigned(c >> 16 & 0xFF));
    return text;
}

} // namespace

GifWriter::GifWriter(const std::string& path, int width, int height,
                     std::span<const sound::Color> palette)
    : width_(width), height_(height), indices_(std::size_t(width) * std::size_t(height)) {
    if (palette.empty() || palette.size() > 256)
        throw RenderError("a GIF palette holds 1 to 256 colours");
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw RenderError("a GIF frame is 1 to 65535 pixels on each side");

    // A GIF colour table has a power-of-two size. The entry after the palette marks the
    // pixels a frame leaves as they were; the other spare entries repeat the first colour
    // and are never used. A palette of 256 leaves no such entry, and the changed part of
    // each frame is then always written in its own colours.
    int tableSize = 2;
    while (tableSize < int(palette.size()) + 1 && tableSize < 256)
        tableSize *= 2;
    if (int(palette.size()) < tableSize)
        transparentIndex_ = int(palette.size());
    std::vector<GifColorType> table(tableSize);
    for (int k = 0; k < tableSize; ++k) {
        const sound::Color c = palette[k < int(palette.size()) ? k : 0];
        table[k] = {GifByteType(c & 0xFF), GifByteType((c >> 8) & 0xFF),
                    GifByteType((c >> 16) & 0xFF)};
    }
    for (sound::Color c : palette)
        palettePixels_.push_back(platform::PixelCanvas::toPixel(c));

    file_ = std::make_unique<OutputFile>(path);

    int error = 0;
    gif_ = EGifOpen(file_.get(), writeToFile, &error);
    if (!gif_)
        fail(error, "start");
    // Extensions make the file GIF89a; giflib only notices them on its own when it holds
    // the whole picture in memory, and this writer streams.
    EGifSetGifVersion(gif_, true);

    ColorMapObject* colorMap = GifMakeMapObject(tableSize, table.data());
    if (!colorMap)
        fail(E_GIF_ERR_NOT_ENOUGH_MEM, "start");
    const int screen = EGifPutScreenDesc(gif_, width, height, 8, 0, colorMap);
    GifFreeMapObject(colorMap);
    if (screen == GIF_ERROR)
        fail(gif_->Error, "start");

    // The NETSCAPE2.0 application block with a loop count of 0: play forever.
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, sizeof loop, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif_) == GIF_ERROR)
        fail(gif_->Error, "start");
}

GifWriter::~GifWriter() {
    // Without finish() the temporary file goes away with the OutputFile.
    closeStream();
}

void GifWriter::closeStream() {
    if (gif_) {
        int ignored = 0;
        EGifCloseFile(gif_, &ignored);
        gif_ = nullptr;
    }
}

void GifWriter::fail(int gifError, const char* step) {
    // giflib only knows that a write failed; the system's reason is the one to give.
    std::string reason = GifErrorString(gifError) ? GifErrorString(gifError) : "unknown error";
    if (file_->writeError() != 0)
        reason = std::strerror(file_->writeError());
    const std::string message = file_->failure(std::string(" (") + step + ")", reason);
    closeStream();
    file_.reset();
    throw RenderError(message);
}

void GifWriter::addFrame(const platform::PixelCanvas& frame, int delay) {
    if (finished_ || !gif_)
        throw RenderError("a finished GIF takes no more frames");
    if (frame.width() != width_ || frame.height() != height_)
        throw RenderError("every frame of a GIF has the size of the first");
    if (delay < 0 || delay > 65535)
        throw RenderError("a GIF frame's delay is 0 to 65535 hundredths of a second");

    // Neighbouring pixels mostly share a colour, so the last match is tried first.
    const std::uint32_t* pixels = frame.bits();
    std::uint32_t lastPixel = palettePixels_.front();
    unsigned char lastIndex = 0;
    for (std::size_t k = 0; k < indices_.size(); ++k) {
        const std::uint32_t p = pixels[k];
        if (p != lastPixel) {
            std::size_t found = 0;
            while (found < palettePixels_.size() && palettePixels_[found] != p)
                ++found;
            if (found == palettePixels_.size())
                throw RenderError("a frame holds the colour " + hexColour(p) +
                                  ", which the GIF's palette lacks");
            lastPixel = p;
            lastIndex = static_cast<unsigned char>(found);
        }
        indices_[k] = lastIndex;
    }

    // After the first frame only the box around the changed pixels is written; a viewer
    // keeps the rest of the frame before. Inside the box the unchanged pixels may also be
    // written as transparent, so the frame before shows through them. That packs well when
    // the view stands still and few marks move, and badly when the view turns and almost
    // everything moves by a pixel or two; the number of runs of equal entries, which is what
    // the GIF's compression feeds on, decides between the two for each frame. Either way
    // the viewer composes exactly the frame given.
    Box box{0, 0, width_, height_};
    const unsigned char* raster = indices_.data();
    int transparent = NO_TRANSPARENT_COLOR;
    if (!previous_.empty()) {
        box = changedBox(indices_.data(), previous_.data(), width_, height_);
        patch_.resize(std::size_t(box.width) * box.height);
        std::size_t plainRuns = 0, clearRuns = 0;
        unsigned char lastPlain = 0, lastClear = 0;
        const auto clear = static_cast<unsigned char>(transparentIndex_);
        for (int y = 0; y < box.height; ++y) {
            const std::size_t from = std::size_t(box.top + y) * width_ + box.left;
            for (int x = 0; x < box.width; ++x) {
                const unsigned char now = indices_[from + x];
                const unsigned char orClear = now == previous_[from + x] ? clear : now;
                plainRuns += now != lastPlain;
                clearRuns += orClear != lastClear;
                lastPlain = now;
                lastClear = orClear;
                patch_[std::size_t(y) * box.width + x] = now;
            }
        }
        if (transparentIndex_ >= 0 && clearRuns < plainRuns) {
            for (int y = 0; y < box.height; ++y) {
                const std::size_t from = std::size_t(box.top + y) * width_ + box.left;
                for (int x = 0; x < box.width; ++x)
                    if (indices_[from + x] == previous_[from + x])
                        patch_[std::size_t(y) * box.width + x] = clear;
            }
            transparent = transparentIndex_;
        }
        raster = patch_.data();
    }

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) == GIF_ERROR ||
        EGifPutImageDesc(gif_, box.left, box.top, box.width, box.height, false, nullptr) ==
            GIF_ERROR ||
        EGifPutLine(gif_, const_cast<unsigned char*>(raster), box.width * box.height) == GIF_ERROR)
        fail(gif_->Error, "frame");
    previous_.swap(indices_);
    if (indices_.empty())
        indices_.resize(previous_.size());
}

void GifWriter::finish() {
    if (finished_ || !gif_)
        throw RenderError("the GIF is already finished");
    int error = 0;
    const int closed = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (closed == GIF_ERROR)
        fail(error, "end");
    file_->commit();
    finished_ = true;
}

} // namespace render
