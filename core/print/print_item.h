#pragma once

#include <string>
#include <utility>

#include "core/print/page_geometry.h"

namespace radio {

// One thing drawn on a page. Positions are twips from the top-left corner of the printable
// area, y negative downwards; a text's point is its top-left corner.
struct PrintItem {
    enum class Kind { Text, Rule };
    Kind kind = Kind::Text;
    FontRole font = FontRole::Small;  // texts only
    int x = 0;
    int y = 0;
    int x2 = 0;  // rules only: the right end, at the same y
    std::string text;

    static PrintItem Text(FontRole font, int x, int y, std::string text) {
        return {Kind::Text, font, x, y, 0, std::move(text)};
    }
    static PrintItem Rule(int x1, int x2, int y) {
        return {Kind::Rule, FontRole::Small, x1, y, x2, {}};
    }
    friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

}  // namespace radio
