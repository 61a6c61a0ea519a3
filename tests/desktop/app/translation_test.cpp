// The translations: every text of the sources is in each committed .ts file and translated,
// each window's texts follow the installed translator, the translation uses the program's own
// Chinese words, and the Language dialog's keys.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/codec/channel_grid.h"
#include "core/formats/channel_import.h"
#include "core/formats/image_check.h"
#include "core/formats/image_diff.h"
#include "core/options/option_names.h"
#include "desktop/app/program_app.h"
#include "desktop/app/ui_translators.h"
#include "desktop/dialogs/backups_dlg.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/dialogs/language_dlg.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/dialogs/product_info_dlg.h"
#include "desktop/frame/main_frame.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/write_check_dlg.h"
#include "desktop/transfer/write_many_dlg.h"
#include "qt/phrase_text.h"
#include "tests/support/fake_services.h"

namespace {

const QString kSources = QStringLiteral(RADIO_SOURCE_DIR);
const QString kQmFolder = QStringLiteral(RADIO_BIN_DIR "/translations");

struct TsEntry {
    QString context;
    QString source;
    bool unfinished = false;
};

QList<TsEntry> ReadTs(const QString& path) {
    QList<TsEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return entries;
    QXmlStreamReader xml(&file);
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.tokenType() != QXmlStreamReader::StartElement) {
            xml.readNext();
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            entries.append({context, xml.readElementText()});
        } else if (xml.name() == QLatin1String("translation")) {
            const QStringView type = xml.attributes().value(QLatin1String("type"));
            if (type == QLatin1String("unfinished") && !entries.isEmpty())
                entries.last().unfinished = true;
        }
    }
    return entries;
}

// Every text a window shows: captions, labels, buttons, group titles, list headings and
// entries, menus with their items, tooltips and status-bar prompts.
QStringList WindowTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text() << b->toolTip();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        }
        if (auto* t = qobject_cast<QTreeWidget*>(w)) {
            for (int i = 0; i < t->columnCount(); ++i) texts << t->headerItem()->text(i);
            for (int i = 0; i < t->topLevelItemCount(); ++i)
                for (int c = 0; c < t->columnCount(); ++c) texts << t->topLevelItem(i)->text(c);
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        for (QAction* menu : main->menuBar()->actions()) {
            texts << menu->text();
            if (!menu->menu()) continue;
            for (QAction* item : menu->menu()->actions())
                texts << item->text() << item->toolTip() << item->statusTip();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// Latin words a Chinese window may keep: keys, units, file types, port and radio names, the
// configuration's own names, the list entries that are codes.
bool AllowedWord(const QString& word) {
    static const QSet<QString> allowed = {
        "Ctrl", "Alt",       "Shift",     "Del",     "Ins", "COM",       "com", "LED",
        "MHz",  "kHz",       "CTCSS",     "DCS",     "CSV", "csv",       "tsv", "txt",
        "dat",  "radioprog", "dump",      "Program", "ini", "BackupDir", "off", "dev",
        "pts",  "Model",     "TestRadio", "CO",      "SE",  "TO",        "qm",
    };
    return allowed.contains(word);
}

QStringList EnglishLeftovers(const QStringList& texts) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    // Paths, file names and hexadecimal numbers are no words.
    static const QRegularExpression names(
        QStringLiteral("\\S*/\\S*|\\S+\\.(csv|dat|qm|ini|tsv|txt)\\b|0x[0-9A-Fa-f]+"));
    QStringList left;
    for (const QString& shown : texts) {
        const QString text = QString(shown).remove(names);
        for (auto m = word.globalMatch(text); m.hasNext();) {
            const QString w = m.next().captured();
            if (!AllowedWord(w)) left << QStringLiteral("%1 (in \"%2\")").arg(w, shown);
        }
    }
    return left;
}

using WindowMaker = std::function<QWidget*(AppContext&, std::unique_ptr<QObject>&)>;

radio::RadioImage ImageWithFindings() {
    // Channel 1 receives 999 MHz, outside both bands: an error besides the blank's warnings.
    radio::RadioImage image = radio::RadioImage::Blank();
    const std::uint8_t rx[] = {0x00, 0x00, 0x90, 0x99};
    std::copy(std::begin(rx), std::end(rx), image.Record(1).begin());
    // Options outside their lists, which the dialog and the printed sheet read differently.
    image[radio::offset::kSquelch] = 12;
    image[radio::offset::kStep] = 9;
    image[radio::offset::kPriScanTime] = 0xFF;
    return image;
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void everySourceTextIsTranslated();
    void windowsFollowTheTranslator_data();
    void windowsFollowTheTranslator();
    void translationUsesTheProgramsWords();
    void coreTextsFollowTheTranslator();
    void languageDialogKeys_data();
    void languageDialogKeys();
};

void TranslationTest::everySourceTextIsTranslated() {
    // lupdate the sources into a scratch copy of each committed file, with the options of
    // scripts/update_translations.sh: what it adds is missing, what it leaves unfinished is
    // untranslated.
    const QStringList files =
        QDir(kSources + "/translations").entryList({"radio-programmer_*.ts"}, QDir::Files);
    QVERIFY2(files.contains("radio-programmer_zh_CN.ts"), qPrintable(files.join(' ')));
    QTemporaryDir scratch;
    for (const QString& name : files) {
        const QString committed = kSources + "/translations/" + name;
        const QString copy = scratch.filePath(name);
        QVERIFY(QFile::copy(committed, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.setWorkingDirectory(kSources);
        lupdate.start(QStringLiteral(RADIO_LUPDATE),
                      {"-silent", "-locations", "none", "-no-obsolete", "-extensions", "cpp,h",
                       "-I", ".", "desktop", "qt", "core", "-ts", copy});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);

        QSet<QString> known;
        for (const TsEntry& e : ReadTs(committed)) known.insert(e.context + '\x1f' + e.source);
        QStringList missing, unfinished;
        for (const TsEntry& e : ReadTs(copy)) {
            if (!known.contains(e.context + '\x1f' + e.source))
                missing << e.context + ": " + e.source;
            else if (e.unfinished)
                unfinished << e.context + ": " + e.source;
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(name + " lacks these texts (run scripts/update_translations.sh):\n" +
                            missing.join('\n')));
        QVERIFY2(unfinished.isEmpty(),
                 qPrintable(name + " leaves these untranslated:\n" + unfinished.join('\n')));
    }
}

void TranslationTest::windowsFollowTheTranslator_data() {
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("main window") << WindowMaker(
        [](AppContext& ctx, std::unique_ptr<QObject>& keep) {
            auto* app = new CProgramApp(ctx);
            keep.reset(app);
            app->InitInstance({ctx.Config().path().c_str(), {}, {}});
            return static_cast<QWidget*>(app->MainFrame());
        });
    QTest::newRow("COM Setup") << WindowMaker([](AppContext&, std::unique_ptr<QObject>& keep) {
        auto* dlg = new CComSetupDlg(nullptr);
        keep.reset(dlg);
        return dlg;
    });
    QTest::newRow("Option Features")
        << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
               auto* dlg = new COptionFeaturesDlg(ctx);
               keep.reset(dlg);
               static radio::RadioImage image = ImageWithFindings();
               dlg->Attach(&image);
               dlg->OnInitDialog();
               return dlg;
           });
    QTest::newRow("Product Information")
        << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
               auto* dlg = new CProductInfoDlg(ctx);
               keep.reset(dlg);
               return dlg;
           });
    QTest::newRow("Language") << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
        auto* dlg = new CLanguageDlg(ctx);
        keep.reset(dlg);
        return dlg;
    });
    QTest::newRow("Check Before Writing")
        << WindowMaker([](AppContext&, std::unique_ptr<QObject>& keep) {
               auto* dlg = new CWriteCheckDlg;
               keep.reset(dlg);
               dlg->SetFindings(radio::CheckImage(ImageWithFindings()));
               return dlg;
           });
    QTest::newRow("Read window") << WindowMaker(
        [](AppContext& ctx, std::unique_ptr<QObject>& keep) {
            auto* dlg = new CProgressDlg;
            keep.reset(dlg);
            dlg->m_strTitle = CProgressDlg::TitleFor(false, ctx.UiLanguage());
            dlg->Open();
            return dlg;
        });
    QTest::newRow("Radio Backups")
        << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
               auto* dlg = new CBackupsDlg(ctx);
               keep.reset(dlg);
               return dlg;
           });
    QTest::newRow("Import preview")
        << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
               auto* dlg = new CImportPreviewDlg(ctx);
               keep.reset(dlg);
               dlg->SetImport(radio::ChannelGrid(ctx.UiLanguage()),
                              radio::ReadChannelList("Location,Frequency\n1,146.52\n2,999\n"),
                              QStringLiteral("list.csv"));
               return dlg;
           });
    QTest::newRow("Write to Several Radios")
        << WindowMaker([](AppContext& ctx, std::unique_ptr<QObject>& keep) {
               auto* dlg = new CWriteManyDlg(ctx, [] { return radio::RadioImage::Blank(); });
               keep.reset(dlg);
               return dlg;
           });
}

void TranslationTest::windowsFollowTheTranslator() {
    QFETCH(WindowMaker, make);
    QStringList english, chinese;
    for (const char* language : {"English", "Chinese"}) {
        ShellFixture fx(SampleIni(language));
        UiTranslators translators;
        QVERIFY(translators.Install(language, {kQmFolder}));
        QCOMPARE(translators.Installed(), QByteArray(language) == "Chinese");
        std::unique_ptr<QObject> keep;
        QWidget* window = make(fx.ctx, keep);
        QVERIFY(window);
        (QByteArray(language) == "Chinese" ? chinese : english) = WindowTexts(window);
        keep.reset();
    }
    QVERIFY(!english.isEmpty());
    QVERIFY2(english != chinese, qPrintable(english.join(" | ")));
    const QStringList left = EnglishLeftovers(chinese);
    QVERIFY2(left.isEmpty(), qPrintable("English left in Chinese:\n" + left.join('\n')));
}

void TranslationTest::translationUsesTheProgramsWords() {
    // The column names and option names a message quotes are the grid's and the printed
    // sheet's own Chinese words.
    UiTranslators translators;
    QVERIFY(translators.Install(QStringLiteral("Chinese"), {kQmFolder}));
    for (int col = 1; col < radio::ChannelGrid::kCols; ++col) {
        const std::string_view en = radio::ChannelGrid::Heading(col, radio::Language::English);
        const std::string_view zh = radio::ChannelGrid::Heading(col, radio::Language::Chinese);
        QCOMPARE(radio::TranslatedText(en), QString::fromUtf8(zh.data(), qsizetype(zh.size())));
    }
    for (const radio::OptionList& list : radio::OptionLists()) {
        const std::string_view zh = radio::OptionLabel(list.id, radio::Language::Chinese);
        QCOMPARE(radio::TranslatedText(list.label),
                 QString::fromUtf8(zh.data(), qsizetype(zh.size())));
    }
}

void TranslationTest::coreTextsFollowTheTranslator() {
    // Findings and verify reports of the core: English as the command-line tool prints them
    // without a translator, every template translated with one, arguments in their places.
    const std::vector<radio::Finding> findings = radio::CheckImage(ImageWithFindings());
    QVERIFY(!findings.empty());
    radio::RadioImage other = ImageWithFindings();
    other.Record(2)[0] = 0x25;
    const auto diffs =
        radio::DiffImages(radio::RadioImage::Blank(), other, radio::Language::Chinese);
    QVERIFY(!diffs.empty());
    std::vector<std::pair<radio::Phrase, std::string>> phrases;
    for (const radio::Finding& f : findings) phrases.emplace_back(f.phrase, f.text);
    phrases.emplace_back(radio::VerifyReportPhrase(diffs), radio::VerifyReport(diffs));
    phrases.emplace_back(radio::VerifyReportPhrase({}), radio::VerifyReport({}));
    // Import findings, one of them about a channel moved away from its file location.
    const radio::ImportResult imported = radio::ApplyImport(
        radio::ChannelGrid(),
        radio::ReadChannelList("Location,Name,Frequency,Tone,rToneFreq,Power\n"
                               "1,CALL,146.52,Tone,69.4,9W\n2,AB-1234567,999,,,\n"),
        {false, 10});
    QVERIFY(imported.findings.size() >= 3);
    for (const radio::ImportFinding& f : imported.findings)
        phrases.emplace_back(radio::ImportFindingPhrase(f), radio::ImportFindingText(f));
    // Why a file gave nothing: no channels at all, frequencies in another unit.
    for (const char* body : {"Location,Frequency\n", "Location,Frequency\n1,146520000\n"}) {
        const radio::ImportResult none =
            radio::ApplyImport(radio::ChannelGrid(), radio::ReadChannelList(body), {false, 0});
        QVERIFY2(!none.nothingImported.empty(), body);
        phrases.emplace_back(none.nothingImportedPhrase, none.nothingImported);
    }
    for (const auto& [phrase, english] : phrases)
        QCOMPARE(radio::TranslatedPhrase(phrase), QString::fromStdString(english));

    UiTranslators translators;
    QVERIFY(translators.Install(QStringLiteral("Chinese"), {kQmFolder}));
    for (const auto& [phrase, english] : phrases) {
        const QString zh = radio::TranslatedPhrase(phrase);
        QVERIFY2(EnglishLeftovers({zh}).isEmpty(), qPrintable(zh));
        QVERIFY2(!zh.contains(QRegularExpression("%[1-9]")), qPrintable(zh));
    }
}

void TranslationTest::languageDialogKeys_data() {
    QTest::addColumn<QByteArray>("running");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("chosen");  // 0 English, 1 Chinese
    using K = QList<int>;
    QTest::newRow("English, Down") << QByteArray("English") << K{Qt::Key_Down} << 1;
    QTest::newRow("English, Right") << QByteArray("English") << K{Qt::Key_Right} << 1;
    QTest::newRow("English, Down Up") << QByteArray("English") << K{Qt::Key_Down, Qt::Key_Up} << 0;
    QTest::newRow("Chinese, Up") << QByteArray("Chinese") << K{Qt::Key_Up} << 0;
    QTest::newRow("Chinese, Left") << QByteArray("Chinese") << K{Qt::Key_Left} << 0;
    QTest::newRow("Chinese, no key") << QByteArray("Chinese") << K{} << 1;
    QTest::newRow("English, Left Right Left")
        << QByteArray("English") << K{Qt::Key_Left, Qt::Key_Right, Qt::Key_Left} << 1;
}

void TranslationTest::languageDialogKeys() {
    QFETCH(QByteArray, running);
    QFETCH(QList<int>, keys);
    QFETCH(int, chosen);
    ShellFixture fx(SampleIni(running.constData()));
    CLanguageDlg dlg(fx.ctx);
    int result = -1;
    QWidget* focusAtStart = nullptr;
    QTimer::singleShot(0, &dlg, [&] {
        focusAtStart = dlg.focusWidget();
        for (int key : keys) QTest::keyClick(dlg.focusWidget(), Qt::Key(key));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    result = dlg.exec();
    // Focus started on the running language, the keys chose, Enter confirmed.
    auto* radio = qobject_cast<QRadioButton*>(focusAtStart);
    QVERIFY(radio);
    QCOMPARE(radio == dlg.findChildren<QRadioButton*>().value(running == "Chinese" ? 1 : 0), true);
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(dlg.Selection(), chosen);
    const bool changed = chosen != (running == "Chinese" ? 1 : 0);
    QCOMPARE(dlg.IsChanged(), changed);
    QCOMPARE(QString::fromStdString(fx.ctx.Config().GetValue("Setup", "Language")),
             QString(changed ? (chosen == 1 ? "Chinese" : "English") : running));
}

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
