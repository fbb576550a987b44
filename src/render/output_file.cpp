#include "output_file.h"

#include "escape_unsafe_text.h"
#include "render_error.h"
#include "translation.h"

namespace render {

namespace {

std::string cannotWrite(const std::string& path, const std::string& detail,
                        const std::string& reason) {
    return sound::tr("'%s'%s に書き込めません: %s", {path, detail, reason});
}

} // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
    try {
        InterruptsHeld held;
        file_.emplace(path);
        // The handler prints the note as it is, so the name is escaped here.
        removal_.emplace(file_->temporaryPath(),
                         sound::tr("中断しました。'%s' は書き込まれていません",
                                   {sound::escapeUnsafeText(path)}));
    } catch (const platform::ReplacingFileError& e) {
        throw RenderError(cannotWrite(path, "", e.what()));
    }
}

void OutputFile::commit() {
    try {
        // The bytes reach the disk while an interrupt can still end the command; the name is
        // given with interrupts held, so that an interrupt ends the command either before,
        // removing the file and saying so, or after, with the whole file in place.
        file_->sync();
        InterruptsHeld held;
        file_->commit();
        removal_.reset();
    } catch (const platform::ReplacingFileError& e) {
        throw RenderError(failure("", e.what()));
    }
}

std::string OutputFile::failure(const std::string& detail, const std::string& reason) const {
    return cannotWrite(path_, detail, reason);
}

} // namespace render
