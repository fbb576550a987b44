#include "output_file.h"

#include "render_error.h"

namespace render {

namespace {

std::string cannotWrite(const std::string& path, const std::string& detail,
                        const std::string& reason) {
    return "cannot write '" + path + "'" + detail + ": " + reason;
}

} // namespace

OutputFile::OutputFile(const std::string& path) try : path_(path), file_(path) {
} catch (const platform::ReplacingFileError& e) {
    throw RenderError(cannotWrite(path, "", e.what()));
}

void OutputFile::commit() {
    try {
        file_.commit();
    } catch (const platform::ReplacingFileError& e) {
        throw RenderError(failure("", e.what()));
    }
}

std::string OutputFile::failure(const std::string& detail, const std::string& reason) const {
    return cannotWrite(path_, detail, reason);
}

} // namespace render
