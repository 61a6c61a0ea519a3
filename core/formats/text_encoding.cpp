#include "core/formats/text_encoding.h"

#include <cstdint>

namespace radio {

namespace {

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::optional<std::string_view> Utf16ByteOrder(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return "UTF-16LE";
    if (bytes.starts_with("\xFE\xFF")) return "UTF-16BE";
    return std::nullopt;
}

Status Utf16ToUtf8(std::string_view bytes, std::string& out) {
    const auto order = Utf16ByteOrder(bytes);
    if (!order) return Status::Error("the text has no UTF-16 byte order mark");
    const bool little = *order == "UTF-16LE";
    auto broken = [&](std::size_t at) {
        return Status::Error("the file is " + std::string(*order) + " text that breaks at byte " +
                             std::to_string(at) + "; save it as UTF-8 and try again");
    };
    if (bytes.size() % 2 != 0) return broken(bytes.size() - 1);
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<std::uint8_t>(bytes[i]);
        const auto b = static_cast<std::uint8_t>(bytes[i + 1]);
        return static_cast<char32_t>(little ? (b << 8 | a) : (a << 8 | b));
    };
    std::string text = "\xEF\xBB\xBF";
    text.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF) return broken(i);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size()) return broken(i);
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return broken(i);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(c, text);
    }
    out = std::move(text);
    return Status::Ok();
}

}  // namespace radio
