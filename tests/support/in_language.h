#pragma once

#include "translation.h"

#include <string_view>

namespace testsupport {

// The program's texts in `language` while it lives, for tests whose rows are written in that
// language; the program's own language again afterwards.
class InLanguage {
public:
    explicit InLanguage(std::string_view language) { sound::setLanguage(language); }
    ~InLanguage() { sound::setLanguage(sound::kSourceLanguage); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

} // namespace testsupport
