#pragma once

// The text of a row of a test table: given as it is, or made only when the row's test asks for
// it. GoogleTest makes and copies every row of a program's tables each time the program starts,
// and ctest starts the program once for each of its tests, so a row of megabytes made in the
// table would be made hundreds of times for the tests that never read it.

#include <functional>
#include <string>
#include <utility>

namespace testsupport {

class RowText {
public:
    RowText(const char* text) : RowText(std::string(text)) {}
    RowText(std::string text) : make_([text = std::move(text)] { return text; }) {}

    // The text that `make` returns, made each time the test asks for it.
    static RowText madeBy(std::function<std::string()> make) {
        RowText row;
        row.make_ = std::move(make);
        return row;
    }

    std::string str() const { return make_(); }

private:
    RowText() = default;

    std::function<std::string()> make_;
};

} // namespace testsupport
