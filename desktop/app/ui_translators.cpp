#include "desktop/app/ui_translators.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include "qt/data_paths.h"

namespace {

const QString kBaseName = QStringLiteral("radio-programmer");

}  // namespace

UiTranslators::UiTranslators() = default;

UiTranslators::~UiTranslators() { Remove(); }

QLocale UiTranslators::LocaleOf(const QString& languageName) {
    if (languageName.isEmpty() || languageName == QLatin1String("English")) return QLocale::c();
    for (int i = QLocale::AnyLanguage + 1; i <= QLocale::LastLanguage; ++i) {
        const auto language = static_cast<QLocale::Language>(i);
        if (QLocale::languageToString(language) == languageName) return QLocale(language);
    }
    return QLocale::c();
}

QStringList UiTranslators::DefaultFolders() {
    QStringList folders;
    for (const std::string& data : radio::DataFolders())
        folders << QDir(QFile::decodeName(QByteArray::fromStdString(data)))
                       .filePath(QStringLiteral("translations"));
    return folders;
}

bool UiTranslators::Install(const QString& languageName, const QStringList& folders) {
    Remove();
    const QLocale locale = LocaleOf(languageName);
    if (locale.language() == QLocale::C) return true;
    bool ownFound = false;
    for (const QString& folder : folders) {
        auto own = std::make_unique<QTranslator>();
        if (own->load(locale, kBaseName, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own.get());
            m_translators.push_back(std::move(own));
            ownFound = true;
            break;
        }
    }
    // Qt's own texts are optional: without qt6-translations-l10n the standard buttons stay
    // English, the rest is still translated.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        m_translators.push_back(std::move(qt));
    }
    return ownFound;
}

void UiTranslators::Remove() {
    for (const auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
    m_translators.clear();
}
