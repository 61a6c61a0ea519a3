#pragma once

#include <memory>
#include <vector>

#include <QLocale>
#include <QString>
#include <QStringList>

class QTranslator;

// The translations of the display language, installed for the whole run: the program's own
// (radio-programmer_<locale>.qm) and Qt's standard texts (qtbase_<locale>.qm: Save, Discard,
// Cancel, file and print dialogs). English installs none, so every text stays its source text.
class UiTranslators {
  public:
    UiTranslators();
    ~UiTranslators();  // removes what it installed
    UiTranslators(const UiTranslators&) = delete;
    UiTranslators& operator=(const UiTranslators&) = delete;

    // The locale a [Setup] Language value names ("Chinese" -> zh_CN, "German" -> de_DE);
    // the C locale for English and for names that are no language.
    static QLocale LocaleOf(const QString& languageName);

    // Installs the translators of `languageName`, the program's own searched in `folders` in
    // order. False when the program's own translation was wanted but not found (the run
    // then shows English texts). Any earlier installation is removed first.
    bool Install(const QString& languageName, const QStringList& folders);
    // The folders holding the program's translations: "translations" in each data folder.
    static QStringList DefaultFolders();

    bool Installed() const { return !m_translators.empty(); }

  private:
    void Remove();
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};
