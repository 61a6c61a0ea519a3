#include "qt/phrase_text.h"

#include <string>

#include <QCoreApplication>

namespace radio {

QString TranslatedText(std::string_view english) {
    const std::string text(english);
    return QCoreApplication::translate(kPhraseContext, text.c_str());
}

QString TranslatedPhrase(const Phrase& phrase) {
    return QString::fromStdString(phrase.Render(
        [](const std::string& pattern) { return TranslatedText(pattern).toStdString(); }));
}

}  // namespace radio
