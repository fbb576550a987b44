# Writes the catalogues po/*.po as a C++ table (src/core/catalogue_table.h):
#   cmake -DCATALOGUES="po/en.po;..." -DOUTPUT=catalogue_table.cpp -P catalogue_table.cmake
# Each catalogue is named after its file. A text's quoted pieces are C string literals as
# they stand (a catalogue's escapes are C's), so they are copied, not decoded; an entry
# without a translation and the header are left out. Every ";", "[" and "]" of a catalogue is
# written as its octal escape first, as CMake's lists would split or join lines there.
cmake_minimum_required(VERSION 3.25)

set(rows "")
set(names "")
set(count 0)
foreach(catalogue IN LISTS CATALOGUES)
    get_filename_component(language "${catalogue}" NAME_WE)
    string(APPEND names "    \"${language}\",\n")
    file(READ "${catalogue}" content)
    string(REPLACE ";" "\\073" content "${content}")
    string(REPLACE "[" "\\133" content "${content}")
    string(REPLACE "]" "\\135" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    # The entry being read: which of its strings the last quoted line belongs to.
    set(part "")
    set(text "")
    set(translation "")
    list(APPEND lines "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^msgid (\".*\")$")
            set(part text)
            set(text "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^msgstr (\".*\")$")
            set(part translation)
            set(translation "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^(\".*\")$")
            string(APPEND ${part} " ${CMAKE_MATCH_1}")
        elseif(line MATCHES "^msgctxt|^msgid_plural|^msgstr\\[")
            message(FATAL_ERROR "${catalogue}: the program has no contexts or plural forms: ${line}")
        else()
            if(NOT part STREQUAL "" AND NOT text STREQUAL "\"\"" AND NOT translation MATCHES "^\"\"( \"\")*$")
                string(APPEND rows "    {\"${language}\", ${text}, ${translation}},\n")
                math(EXPR count "${count} + 1")
            endif()
            set(part "")
        endif()
    endforeach()
endforeach()
list(LENGTH CATALOGUES catalogue_count)

file(WRITE "${OUTPUT}.new"
"// Written by cmake/catalogue_table.cmake from po/*.po: edit the catalogues, not this file.
#include \"catalogue_table.h\"

namespace sound {

const CatalogueText kCatalogueTexts[] = {
${rows}    {},
};
const std::size_t kCatalogueTextCount = ${count};
const std::string_view kCatalogueNames[] = {
${names}    {},
};
const std::size_t kCatalogueCount = ${catalogue_count};

} // namespace sound
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
