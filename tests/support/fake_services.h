#pragma once

// Scripted stand-ins for the message boxes and file choosers of the desktop program, and a
// fixture that builds a context around them for a test.

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <functional>
#include <memory>

#include "core/config/settings_store.h"
#include "desktop/services/app_context.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"

// Records every message and answers from a queue (then with `defaultAnswer`).
class ScriptedMessages : public MessageService {
  public:
    struct Shown {
        Kind kind;
        QString caption;
        QString text;
    };
    Answer Show(QWidget*, Kind kind, const QString& caption, const QString& text) override {
        shown.append({kind, caption, text});
        if (onShow) onShow(shown.constLast());
        if (answers.empty()) return defaultAnswer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QList<Shown> shown;
    std::function<void(const Shown&)> onShow;  // sees the program as the message finds it
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::Cancel;
};

// Answers Open and Save As with queued file names (empty: the user cancelled).
class ScriptedFileDialogs : public FileDialogService {
  public:
    QString GetOpenFileName(QWidget*, const QString& filter) override {
        filters.append(filter);
        return Next();
    }
    QString GetSaveFileName(QWidget*, const QString& proposedName, const QString& filter) override {
        proposals.append(proposedName);
        filters.append(filter);
        return Next();
    }
    QString Next() {
        if (names.isEmpty()) return {};
        return names.takeFirst();
    }
    QStringList names;
    QStringList proposals;
    QStringList filters;
};

// A context with the fakes, an in-memory settings store and a URL recorder; writes `iniText`
// as the configuration file of a fresh temporary folder and loads it into the context. The
// objects under test take `ctx`.
struct ShellFixture {
    QTemporaryDir dir;
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    QList<QUrl> openedUrls;
    bool urlOpenResult = true;
    AppContext ctx;  // after the fakes it points to, so it ends first
    radio::MemorySettingsStore* store = nullptr;

    explicit ShellFixture(const QByteArray& iniText) {
        if (!iniText.isNull()) {
            QFile f(ConfigPath());
            f.open(QIODevice::WriteOnly);
            f.write(iniText);
        }
        ctx.LoadConfig(ConfigPath(), false);
        auto memory = std::make_unique<radio::MemorySettingsStore>();
        store = memory.get();
        ctx.SetSettings(std::move(memory));
        ctx.SetMessages(&messages);
        ctx.SetFileDialogs(&files);
        ctx.SetUrlOpener([this](const QUrl& url) {
            openedUrls.append(url);
            return urlOpenResult;
        });
        // Backups of reads stay in the test's folder, never in the user's data folder.
        ctx.SetBackupFolder(Path(QStringLiteral("backups")));
    }
    QString ConfigPath() const { return dir.filePath(QStringLiteral("Program.ini")); }
    QString Path(const QString& name) const { return dir.filePath(name); }
};

// The sample configuration the tests start from, in the given language, with ShowLang as
// given (a null text leaves the key out).
inline QByteArray SampleIni(const char* language, const char* showLang = "1") {
    QByteArray ini = "[Setup]\nAppName=TestRadio\nLanguage=";
    ini += language;
    ini += "\n";
    if (showLang) ini += QByteArray("ShowLang=") + showLang + "\n";
    ini +=
        "Type1=Model-A\nField1=136-174MHz|400-470MHz\n"
        "Type2=Model-B\nField2=136-174MHz|400-480MHz|430-440MHz\n"
        "[English]\nCompany=Radio Co\nAppName=Radio Title\nAbout Title=About Radio\n"
        "Version=Version 9\nCopyrights=(C) Radio Co\nCopyrights Owner=www.example.org\n"
        "[Chinese]\nCompany=对讲机公司\nAppName=对讲机标题\nAbout Title=关于对讲机\n"
        "Version=版本 9\nCopyrights=版权\nCopyrights Owner=www.example.org\n";
    return ini;
}
