#include "core/config/phrase.h"

namespace radio {

Phrase Phrase::Join(std::vector<Phrase> parts, std::string_view separator) {
    Phrase joined{{}, std::move(parts), false};
    for (std::size_t i = 0; i < joined.args.size(); ++i) {
        if (i > 0) joined.pattern += separator;
        // Places beyond %9 cannot be written: longer lists nest.
        if (i == 8 && joined.args.size() > 9) {
            std::vector<Phrase> rest(joined.args.begin() + 8, joined.args.end());
            joined.args.resize(8);
            joined.args.push_back(Join(std::move(rest), separator));
            joined.pattern += "%9";
            break;
        }
        joined.pattern += '%' + std::to_string(i + 1);
    }
    return joined;
}

std::string Phrase::English() const {
    return Render([](const std::string& pattern) { return pattern; });
}

std::string Phrase::Render(const std::function<std::string(const std::string&)>& translate) const {
    std::vector<std::string> filled;
    filled.reserve(args.size());
    for (const Phrase& arg : args) filled.push_back(arg.Render(translate));
    return FillPlaces(translatable ? translate(pattern) : pattern, filled);
}

std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                text += args[n];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace radio
