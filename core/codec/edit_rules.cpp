#include "core/codec/edit_rules.h"

#include <array>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/image/radio_image.h"

namespace radio {

namespace {
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = FoldAscii(c);
    return out;
}

std::optional<std::string> ResolveListEntry(int col, std::string_view text, Language lang) {
    if (col < kColRxTone || col > kColBandwidth) return std::nullopt;
    // The lists never change. Building the 261 tone texts for every lookup made an import of
    // 200 channels, which looks up each of their list cells, take a good part of a second.
    static const auto lists = [] {
        std::array<std::array<std::vector<std::string>, 2>, kColBandwidth + 1> all;
        for (int c = kColRxTone; c <= kColBandwidth; ++c) {
            all[c][0] = ColumnItems(c, Language::English);
            all[c][1] = ColumnItems(c, Language::Chinese);
        }
        return all;
    }();
    const std::vector<std::string>& en = lists[col][0];
    const std::vector<std::string>& zh = lists[col][1];
    const std::vector<std::string>& shown = lang == Language::Chinese ? zh : en;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if ((i < en.size() && EqualsNoCase(text, en[i])) ||
            (i < zh.size() && EqualsNoCase(text, zh[i]))) {
            return shown[i];
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckRadioName(std::string& name, std::size_t maxLength) {
    name = UpperAscii(name);
    if (name.size() > maxLength) {
        return "'" + name + "' is too long: a name has at most " + std::to_string(maxLength) +
               " characters";
    }
    for (char c : name) {
        if (NameCharToCode(c) == kNameFill) {
            return "'" + name + "' has a character the radio cannot show; use 0-9, A-Z, - and _";
        }
    }
    return std::nullopt;
}

}  // namespace radio
