#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The core is built without Qt; the translation tool still finds the texts marked with this.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace radio {

// The context the marked texts of the core are collected under (the first argument of every
// QT_TRANSLATE_NOOP in the core).
inline constexpr const char* kPhraseContext = "radio";

// A text the core makes for people to read (a finding, a report line, a message): an English
// pattern with places %1..%9 and what fills them. The command-line tool prints it in English;
// the desktop program translates each pattern and fills it with the translated arguments, so a
// translation may reorder the places.
struct Phrase {
    std::string pattern;
    std::vector<Phrase> args;
    bool translatable = true;  // false: a name, a number, a joined list - taken as it is

    // A text taken as it is (its own %1 are left alone when it has no arguments).
    static Phrase Text(std::string text) { return {std::move(text), {}, false}; }
    // A marked pattern and its arguments: Phrases, or texts taken as they are.
    template <typename... Args>
    static Phrase Of(const char* pattern, Args&&... args) {
        return {pattern, {Arg(std::forward<Args>(args))...}, true};
    }
    // `parts` one after another, each followed by `separator` but the last.
    static Phrase Join(std::vector<Phrase> parts, std::string_view separator);

    std::string English() const;
    friend bool operator==(const Phrase&, const Phrase&) = default;
    // With each translatable pattern replaced by what `translate` gives for it.
    std::string Render(const std::function<std::string(const std::string&)>& translate) const;

  private:
    static Phrase Arg(Phrase p) { return p; }
    static Phrase Arg(std::string text) { return Text(std::move(text)); }
    static Phrase Arg(const char* text) { return Text(text); }
    static Phrase Arg(int n) { return Text(std::to_string(n)); }
    static Phrase Arg(std::size_t n) { return Text(std::to_string(n)); }
};

// `pattern` with %1..%9 replaced by the arguments in one pass (an argument's own "%2" stays);
// a place without an argument stays as it is.
std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace radio
