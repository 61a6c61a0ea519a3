// Start-up, documents and the unsaved-changes rules of the desktop program.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <cerrno>
#include <system_error>

#include "core/config/install_layout.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/language_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/command_ids.h"
#include "tests/support/fake_services.h"

namespace {

QStringList MenuTitles(const QList<QMenu*>& menus) {
    QStringList titles;
    for (QMenu* m : menus) titles << m->title();
    return titles;
}

QStringList ItemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QString() : a->text());
    return texts;
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A channel file whose image names radio type 1, band 2.
QByteArray ChannelFile() {
    QByteArray bytes(8192, char(0xFF));
    bytes[0x1FD6] = 1;
    bytes[0x1FD7] = 2;
    return bytes;
}

}  // namespace

class ProgramAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void startUp_data();
    void startUp();
    void everyMenuHasUniqueKeys();
    void missingConfigurationIsCreatedEmpty();
    void menuWithoutDocument();
    void unreadableFileOnCommandLineStartsBlank();
    void accelerators();
    void newAsksBeforeClearing_data();
    void newAsksBeforeClearing();
    void openHidesThePreviousWindow();
    void failedOpenKeepsEverything_data();
    void failedOpenKeepsEverything();
    void closeHidesAndChannelInformationShows();
    void exitAsksAboutUnsavedChanges_data();
    void exitAsksAboutUnsavedChanges();
    void windowMenuListsEveryDocument();
    void exitShowsEachUnsavedDocumentItAsksAbout();
    void saveOfNeverSavedDocumentAsksForName();
    void optionalFeaturesWithoutWindowExplains();
    void settingsDialogsMarkTheDocument_data();
    void settingsDialogsMarkTheDocument();
    void toolbarPrompts();
    void languageRestart_data();
    void languageRestart();
    void languageRestartNeedsTheChoiceOnDisk();
    void installedLanguageChangeGoesToTheUserCopy();
    void languageChangeKeepsTheShippedComments();
    void openingALongerFileWarns_data();
    void openingALongerFileWarns();
};

void ProgramAppTest::startUp_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("showLang");  // null: key missing
    QTest::addColumn<bool>("languageItem");

    QTest::newRow("English, ShowLang 1") << QByteArray("English") << QByteArray("1") << true;
    QTest::newRow("English, ShowLang 0") << QByteArray("English") << QByteArray("0") << false;
    QTest::newRow("English, ShowLang abc") << QByteArray("English") << QByteArray("abc") << false;
    QTest::newRow("English, no ShowLang") << QByteArray("English") << QByteArray() << false;
    QTest::newRow("Chinese, ShowLang 1") << QByteArray("Chinese") << QByteArray("1") << true;
    QTest::newRow("Chinese, ShowLang 0") << QByteArray("Chinese") << QByteArray("0") << false;
    // Only the exact word selects Chinese, although key lookups ignore case.
    QTest::newRow("chinese in lower case") << QByteArray("chinese") << QByteArray("2") << true;
}

void ProgramAppTest::startUp() {
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, showLang);
    QFETCH(bool, languageItem);
    ShellFixture fx(
        SampleIni(language.constData(), showLang.isNull() ? nullptr : showLang.constData()));
    const bool chinese = language == "Chinese";

    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    QCOMPARE(fx.ctx.UiLanguage(), chinese ? radio::Language::Chinese : radio::Language::English);
    QCOMPARE(frame->windowTitle(), chinese ? QString("对讲机标题") : QString("Radio Title"));
    QVERIFY(frame->isMaximized());

    // One new document, shown in the document menu set.
    QCOMPARE(frame->ChildFrames().size(), 1);
    QCOMPARE(frame->ActiveDocument()->GetTitle(),
             chinese ? QString("信道信息") : QString("Channel Information"));
    QCOMPARE(frame->ActiveDocument()->GetPathName(), QString("TestRadio"));
    QVERIFY(frame->ActiveDocument()->IsNewImage());
    QVERIFY(frame->IsDocumentMenuShown());
    QStringList bar;
    for (QAction* a : frame->menuBar()->actions()) bar << a->text();
    QCOMPARE(bar, chinese ? QStringList({"文件(&F)", "编辑(&E)", "编程(&P)", "查看(&V)", "设置(&S)",
                                         "窗口(&W)", "帮助(&H)"})
                          : QStringList({"&File", "&Edit", "&Program", "&View", "&Setup", "&Window",
                                         "&Help"}));

    // English menus word for word, Chinese ones from the translation; the About item carries
    // the configured title.
    const QList<QMenu*> menus = frame->Menus(true);
    if (chinese) {
        QCOMPARE(ItemTexts(menus[2]),
                 QStringList({"读频(&R)", "写频(&W)", "", "写入多台电台(&S)..."}));
    } else {
        QCOMPARE(ItemTexts(menus[0]),
                 QStringList({"&New", "&Open...", "Radio &Backups...", "&Close", "&Save",
                              "Save &As...", "", "&Import Channels", "&Export Channels...", "",
                              "Co&mpare With...", "Compare with &Last Backup", "", "&Print...",
                              "Print Pre&view", "P&rint Setup...", "", "E&xit"}));
        QCOMPARE(ItemTexts(menus[2]),
                 QStringList({"&Read", "&Write", "", "Write to &Several Radios..."}));
    }
    QCOMPARE(ItemTexts(menus[6]),
             QStringList({chinese ? QString("关于对讲机") : QString("About Radio")}));
    QCOMPARE(menus[4]->actions().contains(frame->Action(ID_SETUP_LANGUAGE)), languageItem);
    QCOMPARE(menus[4]->actions().contains(frame->Action(ID_SETUP_COM)), true);
    QCOMPARE(frame->Action(ID_FILE_SAVE)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));

    // The navigation tree: the company as root, the destinations of the language below it.
    QTreeWidgetItem* root = frame->NavigationBar()->rootItem();
    QCOMPARE(root->text(0), chinese ? QString("对讲机公司") : QString("Radio Co"));
    QCOMPARE(root->childCount(), 2);
    QCOMPARE(root->child(0)->text(0),
             chinese ? QString("信道信息") : QString("Channel Information"));
    QCOMPARE(root->child(1)->text(0), chinese ? QString("可选功能") : QString("Optional Features"));
    QVERIFY(root->isExpanded());

    // A new image takes the stored type and band (none stored: 0 and 0).
    QCOMPARE(int(frame->ActiveDocument()->image()[0x1FD6]), 0);
}

void ProgramAppTest::missingConfigurationIsCreatedEmpty() {
    ShellFixture fx(QByteArray{});
    QFile::remove(fx.ConfigPath());
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    QVERIFY(QFile::exists(fx.ConfigPath()));
    CMainFrame* frame = app.MainFrame();
    QCOMPARE(fx.ctx.UiLanguage(), radio::Language::English);
    QCOMPARE(frame->NavigationBar()->rootItem()->text(0), QString());
    QCOMPARE(frame->AboutAction(true)->text(), QString());
    QVERIFY(!frame->Menus(true)[4]->actions().contains(frame->Action(ID_SETUP_LANGUAGE)));
}

void ProgramAppTest::menuWithoutDocument() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    QVERIFY(!frame.IsDocumentMenuShown());
    QCOMPARE(MenuTitles(frame.Menus(false)), QStringList({"&File", "&View", "&Window", "&Help"}));
    QCOMPARE(ItemTexts(frame.Menus(false)[0]), QStringList({"&New", "&Open...", "Radio &Backups...",
                                                            "", "P&rint Setup...", "", "E&xit"}));
    QVERIFY(frame.Action(ID_FILE_RADIO_BACKUPS)->isEnabled());  // backups need no document
    QVERIFY(!frame.Action(ID_FILE_COMPARE)->isEnabled());
    QCOMPARE(ItemTexts(frame.Menus(false)[3]), QStringList({"&About Program..."}));
    QVERIFY(!frame.Action(ID_FILE_SAVE)->isEnabled());  // nothing to save yet

    auto* doc = new CProgramDoc(fx.ctx);
    doc->OnNewDocument();
    frame.CreateChildFrame(doc);
    QVERIFY(frame.IsDocumentMenuShown());
    QVERIFY(frame.Action(ID_FILE_SAVE)->isEnabled());
}

void ProgramAppTest::unreadableFileOnCommandLineStartsBlank() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, fx.Path("absent.dat")}));
    QCOMPARE(fx.messages.shown.size(), 1);  // says why, then goes on with a new document
    QCOMPARE(app.MainFrame()->ChildFrames().size(), 1);
    QCOMPARE(app.MainFrame()->ActiveDocument()->GetTitle(), QString("Channel Information"));
}

void ProgramAppTest::accelerators() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CChildFrame* child = frame->ActiveChild();

    // Ctrl+R and Ctrl+W are Program > Read and Write (the actions' shortcuts); Ctrl+W
    // does not close the channel window.
    QSignalSpy read(frame->Action(ID_PROGRAM_READ), &QAction::triggered);
    QSignalSpy write(frame->Action(ID_PROGRAM_WRITE), &QAction::triggered);
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(read.count(), 1);
    QCOMPARE(write.count(), 1);
    QVERIFY(!child->isHidden());
    // Ctrl+N is File > New, with its warning.
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].text, QString("All data will be Cleared!"));
}

void ProgramAppTest::newAsksBeforeClearing_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("Cancel keeps the window") << false;
    QTest::newRow("OK gives a blank document") << true;
}

void ProgramAppTest::newAsksBeforeClearing() {
    QFETCH(bool, confirm);
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    QPointer<CChildFrame> first = frame->ActiveChild();
    first->GetDocument()->image()[0x10] = 0x42;
    first->GetDocument()->SetModifiedFlag();

    fx.messages.answers = {confirm ? MessageService::Answer::Ok : MessageService::Answer::Cancel};
    frame->Action(ID_FILE_NEW)->trigger();

    QCOMPARE(fx.messages.shown.size(), 1);  // the warning only, never a save question
    QCOMPARE(fx.messages.shown[0].text, QString("All data will be Cleared!"));
    QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::OkCancel);
    QCOMPARE(fx.messages.shown[0].caption, QString("Radio Co"));
    QCOMPARE(frame->ChildFrames().size(), 1);
    if (!confirm) {
        QCOMPARE(frame->ActiveChild(), first.data());
        QCOMPARE(int(first->GetDocument()->image()[0x10]), 0x42);
    } else {
        QVERIFY(first.isNull());
        QVERIFY(frame->ActiveChild() != nullptr);
        QCOMPARE(frame->ActiveDocument()->image().bytes()[0x10], std::uint8_t(0xFF));
        QVERIFY(!frame->ActiveDocument()->IsModified());
    }
}

void ProgramAppTest::openHidesThePreviousWindow() {
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("my radio.dat");
    WriteFile(path, ChannelFile());
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CChildFrame* first = frame->ActiveChild();

    fx.files.names = {path};
    frame->Action(ID_FILE_OPEN)->trigger();

    QCOMPARE(fx.files.filters, QStringList({"*.dat"}));
    QCOMPARE(frame->ChildFrames().size(), 2);
    QVERIFY(first->isHidden());  // hidden, its document still open
    CChildFrame* second = frame->ActiveChild();
    QVERIFY(second != first && !second->isHidden());
    QCOMPARE(second->GetDocument()->GetTitle(), QString("my radio.dat"));
    QVERIFY(!second->GetDocument()->IsNewImage());
    // The opened image's type and band become the stored choice.
    QCOMPARE(fx.store->GetInt("Type"), std::optional<std::uint32_t>(1));
    QCOMPARE(fx.store->GetInt("Field"), std::optional<std::uint32_t>(2));
    QCOMPARE(frame->windowTitle(), QString("Radio Title"));
}

void ProgramAppTest::failedOpenKeepsEverything_data() {
    QTest::addColumn<QByteArray>("contents");  // null: no file at all
    QTest::newRow("empty file") << QByteArray("");
    QTest::newRow("one byte short") << QByteArray(8191, char(0));
    QTest::newRow("missing file") << QByteArray();
}

void ProgramAppTest::failedOpenKeepsEverything() {
    QFETCH(QByteArray, contents);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("bad.dat");
    if (!contents.isNull()) WriteFile(path, contents);
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CChildFrame* first = frame->ActiveChild();

    QVERIFY(!app.OpenDocumentFile(path));
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].caption, QString("Radio Co"));
    QVERIFY2(fx.messages.shown[0].text.contains("bad.dat"), qPrintable(fx.messages.shown[0].text));
    QCOMPARE(frame->ChildFrames().size(), 1);
    QCOMPARE(frame->ActiveChild(), first);
    QVERIFY(!first->isHidden());
    QVERIFY(first->GetDocument()->IsNewImage());
}

void ProgramAppTest::closeHidesAndChannelInformationShows() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CChildFrame* child = frame->ActiveChild();

    frame->Action(ID_FILE_CLOSE)->trigger();
    QVERIFY(child->isHidden());
    QCOMPARE(frame->ChildFrames().size(), 1);  // the document stays open
    QVERIFY(frame->IsDocumentMenuShown());

    frame->Action(ID_EDIT_CHANNEL_INFO)->trigger();
    QVERIFY(!child->isHidden());

    // The window's own close box hides it the same way.
    child->close();
    QVERIFY(child->isHidden());
    QCOMPARE(frame->ActiveChild(), child);
}

void ProgramAppTest::exitAsksAboutUnsavedChanges_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs");  // the name the Save As dialog returns
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("fileWritten");

    using A = MessageService::Answer;
    QTest::newRow("unchanged: no question")
        << false << int(A::Cancel) << QString() << true << false;
    QTest::newRow("Cancel keeps the program")
        << true << int(A::Cancel) << QString() << false << false;
    QTest::newRow("Discard closes") << true << int(A::Discard) << QString() << true << false;
    QTest::newRow("Save asks a name and saves")
        << true << int(A::Save) << QString("kept") << true << true;
    QTest::newRow("Save, name cancelled: stays")
        << true << int(A::Save) << QString() << false << false;
}

void ProgramAppTest::exitAsksAboutUnsavedChanges() {
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QFETCH(bool, fileWritten);
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    if (modified) doc->SetModifiedFlag();
    // A hidden window's changes count as well.
    frame->ActiveChild()->close();

    fx.messages.answers = {MessageService::Answer(answer)};
    if (!saveAs.isEmpty()) fx.files.names = {fx.Path(saveAs)};
    QCOMPARE(frame->close(), closes);
    QCOMPARE(fx.messages.shown.size(), modified ? 1 : 0);
    if (modified) QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::SaveDiscardCancel);
    QCOMPARE(QFile::exists(fx.Path("kept.dat")), fileWritten);
    if (fileWritten) QCOMPARE(FileBytes(fx.Path("kept.dat")).size(), 8192);
}

void ProgramAppTest::windowMenuListsEveryDocument() {
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("my radio.dat");
    WriteFile(path, ChannelFile());
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CChildFrame* first = frame->ActiveChild();
    first->GetDocument()->SetModifiedFlag();

    // Opening over the unsaved document hides it, and says where it went.
    QVERIFY(app.OpenDocumentFile(path));
    QVERIFY(first->isHidden());
    QCOMPARE(frame->statusBar()->currentMessage(),
             QString("\"Channel Information\" has unsaved changes; it stays open in the Window "
                     "menu."));
    CChildFrame* second = frame->ActiveChild();

    QMenu* menu = frame->WindowMenu(true);
    QVERIFY(frame->Menus(true).contains(menu));
    QVERIFY(frame->Menus(false).contains(frame->WindowMenu(false)));
    emit menu->aboutToShow();
    QCOMPARE(ItemTexts(menu),
             QStringList({"&1 Channel Information *  (hidden)", "&2 my radio.dat"}));
    QVERIFY(!menu->actions()[0]->isChecked());
    QVERIFY(menu->actions()[1]->isChecked());

    // Choosing the hidden one shows it and makes it the one the commands act on.
    menu->actions()[0]->trigger();
    QVERIFY(!first->isHidden());
    QCOMPARE(frame->ActiveChild(), first);
    QVERIFY(!second->isHidden());
    emit menu->aboutToShow();
    QCOMPARE(ItemTexts(menu), QStringList({"&1 Channel Information *", "&2 my radio.dat"}));
    QVERIFY(menu->actions()[0]->isChecked());

    // Opening over a saved document says nothing of the kind.
    frame->statusBar()->clearMessage();
    second->GetDocument()->SetModifiedFlag(false);
    frame->OnWindowChosen(second);
    QVERIFY(app.OpenDocumentFile(path));
    QCOMPARE(frame->statusBar()->currentMessage(), QString());
}

void ProgramAppTest::exitShowsEachUnsavedDocumentItAsksAbout() {
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("my radio.dat");
    WriteFile(path, ChannelFile());
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    frame->ActiveDocument()->SetModifiedFlag();
    QVERIFY(app.OpenDocumentFile(path));  // hides the unsaved new document
    frame->ActiveDocument()->SetModifiedFlag();

    QStringList asked;  // the question, and the window in front while it is asked
    fx.messages.onShow = [&](const ScriptedMessages::Shown& shown) {
        CChildFrame* front = frame->ActiveChild();
        asked << shown.text + " / " + front->GetDocument()->GetTitle() +
                     (front->isHidden() ? " hidden" : " shown");
    };
    fx.messages.answers = {MessageService::Answer::Discard, MessageService::Answer::Discard};
    QVERIFY(frame->close());
    QCOMPARE(asked, QStringList({"Save changes to Channel Information? / Channel Information shown",
                                 "Save changes to my radio.dat? / my radio.dat shown"}));
}

void ProgramAppTest::saveOfNeverSavedDocumentAsksForName() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    // A file carrying the document's path name must never be written behind the user's back.
    const QString decoy = QDir::current().filePath("TestRadio");
    QVERIFY(!QFile::exists(decoy));

    frame->Action(ID_FILE_SAVE)->trigger();  // the user cancels the dialog
    QCOMPARE(fx.files.proposals, QStringList({"Channel Information.dat"}));
    QVERIFY(!QFile::exists(decoy));

    fx.files.names = {fx.Path("first")};
    frame->Action(ID_FILE_SAVE)->trigger();
    QCOMPARE(FileBytes(fx.Path("first.dat")),
             QByteArray(reinterpret_cast<const char*>(doc->image().data()), 8192));
    QCOMPARE(doc->GetTitle(), QString("first.dat"));

    // Once saved, Save writes the same file without asking.
    doc->image()[0x1FC1] = 0x05;  // outside the channel table, which the grid rewrites
    frame->Action(ID_FILE_SAVE)->trigger();
    QCOMPARE(fx.files.proposals.size(), 2);
    QCOMPARE(FileBytes(fx.Path("first.dat")).at(0x1FC1), char(0x05));
}

void ProgramAppTest::optionalFeaturesWithoutWindowExplains() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    frame.Action(ID_PRODUCT_INFO)->trigger();
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].caption, QString("Radio Co"));
}

void ProgramAppTest::settingsDialogsMarkTheDocument_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("title");  // the main window title afterwards
    QTest::newRow("Option Features, OK") << int(ID_EDIT_OPTIONAL_FEATURES) << true << "Radio Title";
    QTest::newRow("Option Features, Cancel")
        << int(ID_EDIT_OPTIONAL_FEATURES) << false << "Radio Title";
    QTest::newRow("Product Information, OK")
        << int(ID_PRODUCT_INFO) << true << "Radio Title  [ Type:Model-B  Fre:136-174MHz ]";
    QTest::newRow("Product Information, Cancel") << int(ID_PRODUCT_INFO) << false << "Radio Title";
}

void ProgramAppTest::settingsDialogsMarkTheDocument() {
    QFETCH(int, command);
    QFETCH(bool, ok);
    QFETCH(QString, title);
    ShellFixture fx(SampleIni("English"));
    fx.store->SetInt("Type", 1);  // the new image is type 0 until shown; the store says type 2
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    if (command == ID_PRODUCT_INFO) doc->image()[0x1FF0] = 0;  // so OK changes the band bytes
    QTimer::singleShot(0, [ok] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        ok ? dialog->accept() : dialog->reject();
    });
    frame->Action(command)->trigger();
    // Option Features' OK without a change changes no byte: nothing to save.
    QCOMPARE(doc->IsModified(), ok && command == ID_PRODUCT_INFO);
    QCOMPARE(frame->windowTitle(), title);
}

void ProgramAppTest::toolbarPrompts() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    QCOMPARE(frame.Action(ID_FILE_NEW)->statusTip(), QString("Create a new document"));
    QCOMPARE(frame.Action(ID_FILE_NEW)->toolTip(), QString("New"));
    QCOMPARE(frame.Action(ID_FILE_PRINT)->toolTip(), QString("Print"));
    QCOMPARE(frame.AboutAction(false)->toolTip(), QString("About"));
    QCOMPARE(frame.Action(ID_PROGRAM_READ)->statusTip(), QString());
    QStringList buttons;
    for (QAction* a : frame.ToolBar()->actions())
        buttons << (a->isSeparator() ? QString("|")
                                     : QString::number(a->property("commandId").toInt()));
    QCOMPARE(buttons, QStringList({"57600", "57601", "57603", "|", "57643", "57644", "|", "32773",
                                   "32774", "|", "57607", "|", "57664"}));
    // Nothing to undo yet: the buttons are off and say only what they do.
    QCOMPARE(frame.Action(ID_EDIT_UNDO)->toolTip(), QString("Undo"));
    QVERIFY(!frame.Action(ID_EDIT_UNDO)->isEnabled());
    // The view toggles follow the bars.
    frame.Action(ID_VIEW_TOOLBAR)->trigger();
    QVERIFY(frame.ToolBar()->isHidden());
    QVERIFY(!frame.Action(ID_VIEW_TOOLBAR)->isChecked());
    frame.Action(ID_VIEW_STATUS_BAR)->trigger();
    QVERIFY(!frame.Action(ID_VIEW_STATUS_BAR)->isChecked());
}

void ProgramAppTest::languageRestart_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("nothing unsaved: restarts") << false << true;
    QTest::newRow("unsaved, Cancel: stays") << true << false;
}

void ProgramAppTest::languageRestart() {
    QFETCH(bool, modified);
    QFETCH(bool, restarts);
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QStringList started;
    app.SetProcessStarter([&](const QString& program, const QStringList& args) {
        started << program << args;
        return true;
    });
    QVERIFY(app.InitInstance({fx.ConfigPath(), fx.Path("settings.ini"), {}}));
    if (modified) app.MainFrame()->ActiveDocument()->SetModifiedFlag();
    fx.ctx.Config().SetValue("Setup", "Language", "Chinese");  // what the Language dialog stores

    QCOMPARE(app.RestartForLanguageChange(), restarts);
    // Either way the choice is on disk before any new instance could read it.
    QVERIFY(FileBytes(fx.ConfigPath()).contains("Language=Chinese"));
    if (restarts) {
        QCOMPARE(started, QStringList({QCoreApplication::applicationFilePath(), "--config",
                                       fx.ConfigPath(), "--settings", fx.Path("settings.ini")}));
    } else {
        QVERIFY(started.isEmpty());
        QVERIFY(app.MainFrame()->isVisible());
    }
}

void ProgramAppTest::languageRestartNeedsTheChoiceOnDisk() {
    ShellFixture fx(SampleIni("English"));
    // Program.ini in a folder that goes away after start-up: no one can write it then, not
    // even an administrator.
    QVERIFY(QDir(fx.dir.path()).mkdir("config"));
    const QString config = fx.Path("config/Program.ini");
    WriteFile(config, SampleIni("English"));
    CProgramApp app(fx.ctx);
    QStringList started;
    app.SetProcessStarter([&](const QString& program, const QStringList& args) {
        started << program << args;
        return true;
    });
    QVERIFY(app.InitInstance({config, {}, {}}));
    fx.ctx.Config().SetValue("Setup", "Language", "Chinese");  // what the Language dialog stores
    QVERIFY(QDir(fx.Path("config")).removeRecursively());

    // The view's request reaches the program, which stays: a new instance would start in
    // English again.
    QVERIFY(!fx.ctx.RequestRestart());
    QVERIFY(started.isEmpty());
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::Warning);
    QCOMPARE(fx.messages.shown[0].caption, QString("Radio Co"));
    const QString text = fx.messages.shown[0].text;
    QVERIFY2(text.contains(config), qPrintable(text));
    const QString reason = QString::fromStdString(std::generic_category().message(ENOENT));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(fx.ctx.Config().dirty());  // still waiting to be written
}

// Installed under a prefix: the package's Program.ini is read, the Language dialog's change is
// saved to the user's own copy, and the next start reads that copy.
void ProgramAppTest::installedLanguageChangeGoesToTheUserCopy() {
    ShellFixture fx(SampleIni("English"));
    QVERIFY(QDir(fx.dir.path()).mkpath("usr/bin"));
    QVERIFY(QDir(fx.dir.path()).mkpath("usr/share/radio-programmer"));
    const QString shared = fx.Path("usr/share/radio-programmer/Program.ini");
    WriteFile(shared, SampleIni("English"));
    const auto locate = [&] {
        return radio::LocateConfig(fx.Path("usr/bin").toStdString(),
                                   fx.Path("home/.config").toStdString(), radio::RealFileProbe());
    };
    const radio::ConfigLocation first = locate();
    QCOMPARE(QString::fromStdString(first.readPath), shared);
    {
        AppContext ctx;
        QVERIFY(ctx.LoadConfig(first, true));
        CLanguageDlg dlg(ctx);
        dlg.OnInitDialog();
        dlg.SetSelection(1);
        dlg.accept();
        QVERIFY(dlg.IsChanged());
        QVERIFY(ctx.Config().Save().ok);  // what the restart does first
    }
    const QString copy = fx.Path("home/.config/radio-programmer/Program.ini");
    QVERIFY(FileBytes(copy).contains("Language=Chinese"));
    QVERIFY(FileBytes(copy).contains("Type2=Model-B"));  // a whole copy, not just the change
    QCOMPARE(FileBytes(shared), SampleIni("English"));
    QVERIFY(!QFile::exists(fx.Path("usr/bin/Program.ini")));

    const radio::ConfigLocation next = locate();
    QCOMPARE(QString::fromStdString(next.readPath), copy);
    AppContext again;
    QVERIFY(again.LoadConfig(next, false));
    QCOMPARE(again.UiLanguage(), radio::Language::Chinese);
}

// Setup > Language on the shipped Program.ini: the file written for the restart is the one the
// user had, with only the language changed.
void ProgramAppTest::languageChangeKeepsTheShippedComments() {
    const QByteArray shipped = FileBytes(RADIO_RESOURCES "/Program.ini");
    QVERIFY(shipped.startsWith("; ") && shipped.contains("\nLanguage=English\n"));
    ShellFixture fx(shipped);
    CProgramApp app(fx.ctx);
    QStringList started;
    app.SetProcessStarter([&](const QString& program, const QStringList& args) {
        started << program << args;
        return true;
    });
    QVERIFY(app.InitInstance({fx.ConfigPath(), fx.Path("settings.ini"), {}}));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        for (QRadioButton* b : dialog->findChildren<QRadioButton*>())
            if (b->text() == "Chinese") b->setChecked(true);
        dialog->accept();
    });
    app.MainFrame()->Action(ID_SETUP_LANGUAGE)->trigger();
    QCOMPARE(started.size(), 5);  // restarted, so the file was written first
    QByteArray expected = shipped;
    expected.replace("\nLanguage=English\n", "\nLanguage=Chinese\n");
    QCOMPARE(FileBytes(fx.ConfigPath()), expected);
}

void ProgramAppTest::openingALongerFileWarns_data() {
    QTest::addColumn<bool>("commandLine");
    QTest::newRow("File > Open") << false;
    QTest::newRow("command line: once the window shows") << true;
}

void ProgramAppTest::openingALongerFileWarns() {
    QFETCH(bool, commandLine);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("long.dat");
    WriteFile(path, ChannelFile() + QByteArray(1000, 'x'));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, commandLine ? path : QString()}));
    if (commandLine) {
        QVERIFY(fx.messages.shown.isEmpty());
        QTRY_COMPARE(fx.messages.shown.size(), 1);
    } else {
        fx.messages.shown.clear();
        QVERIFY(app.OpenDocumentFile(path));
        QCOMPARE(fx.messages.shown.size(), 1);
    }
    QCOMPARE(app.MainFrame()->ActiveDocument()->GetTitle(), QString("long.dat"));
    QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::Warning);
    QCOMPARE(fx.messages.shown[0].text,
             QString("'%1' holds 9192 bytes; only its first 8192 are the channel image, and "
                     "saving it cuts off the 1000 bytes after them.")
                 .arg(QFileInfo(path).absoluteFilePath()));
}

// Each menu's letters (after a single "&") once: Alt+E, C opened neither Copy nor Channel
// Information while both had it. Every menu of both sets, the menu bars and the grid's.
void ProgramAppTest::everyMenuHasUniqueKeys() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    QList<QMenu*> menus;
    for (bool documentMenu : {false, true}) {
        emit frame->WindowMenu(documentMenu)->aboutToShow();  // it fills itself as it opens
        menus += frame->Menus(documentMenu);
        auto* bar = new QMenu(frame);
        for (QMenu* menu : frame->Menus(documentMenu)) bar->addAction(menu->title());
        menus << bar;
    }
    std::unique_ptr<QMenu> context(frame->ActiveChild()->GetView()->CreateContextMenu());
    menus << context.get();
    int items = 0;
    for (QMenu* menu : menus) {
        QHash<QChar, QString> taken;
        for (QAction* action : menu->actions()) {
            QString text = action->text();
            const qsizetype at =
                text.replace(QLatin1String("&&"), QLatin1String("__")).indexOf('&');
            items += !action->isSeparator();
            if (at < 0 || at + 1 >= text.size()) continue;  // the configured About text has none
            const QChar key = text[at + 1].toLower();
            QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " / " + action->text()));
            taken.insert(key, action->text());
        }
    }
    QVERIFY(items > 60);

    QSignalSpy chosen(frame->Action(ID_EDIT_CHANNEL_INFO), &QAction::triggered);
    QMenu* edit = frame->Menus(true).at(1);
    edit->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(edit));
    QTest::keyClick(edit, Qt::Key_H);  // Alt+E, H
    QCOMPARE(chosen.size(), 1);
}

QTEST_MAIN(ProgramAppTest)
#include "program_app_test.moc"
