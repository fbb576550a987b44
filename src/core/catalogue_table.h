#pragma once

#include <cstddef>
#include <string_view>

// The catalogues po/*.po as the build compiles them in (cmake/catalogue_table.cmake writes
// the table): every translated text of every language, in the catalogues' order.
namespace sound {

struct CatalogueText {
    std::string_view language;
    std::string_view text;
    std::string_view translation;
};

extern const CatalogueText kCatalogueTexts[];
extern const std::size_t kCatalogueTextCount;
extern const std::string_view kCatalogueNames[];
extern const std::size_t kCatalogueCount;

} // namespace sound
