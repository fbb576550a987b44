#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace render {

enum class OutputKind { Png, Gif };

// One export the command was asked for.
struct RenderRequest {
    std::string settingsPath;
    std::string outputPath;
    OutputKind kind = OutputKind::Png;
    int frames = 1;         // frames of the animation; always 1 for a picture
    std::int32_t clock = 0; // the clock at the first tick
};

// The link that opens the set-up in the page at `pageUrl`, asked for instead of a picture.
struct LinkRequest {
    std::string settingsPath;
    std::string pageUrl;
};

struct HelpRequest {};
struct VersionRequest {};

// Why the command line was refused, as one line for the user.
struct ArgumentError {
    std::string message;
};

using ParsedArguments =
    std::variant<RenderRequest, LinkRequest, HelpRequest, VersionRequest, ArgumentError>;

// The largest animation the command makes: beyond it a GIF runs into tens of gigabytes.
inline constexpr int kMaxFrames = 1000000;

// Reads the arguments that follow the command's name. Knows nothing of files: it only
// decides what was asked for, so every command line can be checked without a display.
ParsedArguments parseRenderArguments(const std::vector<std::string>& args);

// The text that --help prints, ending with a line break.
std::string usageText();

// The line that --version prints: the command, the program it belongs to and the version,
// in the form packaging tools read, ending with a line break.
std::string versionText();

} // namespace render
