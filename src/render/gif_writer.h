#pragma once

#include "canvas.h"
#include "pixel_canvas.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

struct GifFileType;

namespace render {

class OutputFile;

// Writes an animated GIF frame by frame through giflib, with a fixed palette, looping
// forever; every frame decodes to exactly the pixels it was given. The bytes go to a temporary file
// beside the target, which takes the target's name only when finish() has written the last byte: a
// failure or an interruption at any point leaves no file behind and an older file untouched. The
// name is the bytes the system takes. Errors are thrown as RenderError, one line with the system's
// reason when the system refused a write.
class GifWriter {
public:
    // Frames are width x height; palette holds at most 256 colours and every pixel of every
    // frame must be one of them.
    GifWriter(const std::string& path, int width, int height,
              std::span<const sound::Color> palette);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Appends a frame shown for delay hundredths of a second (0 ... 65535).
    void addFrame(const platform::PixelCanvas& frame, int delay);

    // Ends the stream and gives the file its name. Adding frames afterwards is an error.
    void finish();

private:
    void fail(int gifError, const char* step);
    void closeStream();

    int width_;
    int height_;
    std::vector<std::uint32_t> palettePixels_; // as the canvas stores them
    std::vector<unsigned char> indices_;       // the frame being added, as palette indices
    std::vector<unsigned char> previous_;      // the frame before it; empty before the first
    std::vector<unsigned char> patch_;         // the part of a frame that is written
    int transparentIndex_ = -1;                // the colour table entry for "as before"
    std::unique_ptr<OutputFile> file_;
    GifFileType* gif_ = nullptr;
    bool finished_ = false;
};

} // namespace render
