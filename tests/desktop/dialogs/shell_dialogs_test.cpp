// Product Information, Language, About with its link, and the help pages.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "desktop/dialogs/about_dlg.h"
#include "desktop/dialogs/language_dlg.h"
#include "desktop/dialogs/product_info_dlg.h"
#include "desktop/dialogs/x_hyper_link.h"
#include "desktop/services/help.h"
#include "desktop/services/help_window.h"
#include "tests/support/fake_services.h"

namespace {

QByteArray Bytes(const radio::RadioImage& image, std::size_t at, int n) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + at, n);
}

QByteArray ManyTypes(int count) {
    QByteArray ini = SampleIni("English");
    ini.replace("Type1=Model-A\nField1=136-174MHz|400-470MHz\nType2=Model-B\n", "");
    QByteArray setup = "[Setup]\n";
    for (int n = 1; n <= count; ++n)
        setup += "Type" + QByteArray::number(n) + "=T" + QByteArray::number(n) + "\nField" +
                 QByteArray::number(n) + "=400-470MHz\n";
    ini.replace("[Setup]\n", setup);
    return ini;
}

}  // namespace

class ShellDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void productInfoStartsFromTheStore_data();
    void productInfoStartsFromTheStore();
    void productInfoOk_data();
    void productInfoOk();
    void productInfoCancelChangesNothing();
    void productInfoListsAtMost19Types();
    void languageDialog_data();
    void languageDialog();
    void aboutShowsTheConfiguredTexts();
    void hyperlinkColours_data();
    void hyperlinkColours();
    void helpOpensThePageOfTheLanguage_data();
    void helpOpensThePageOfTheLanguage();
    void helpWindowWithoutBrowser_data();
    void helpWindowWithoutBrowser();
    void helpPagesHaveEveryContext_data();
    void helpPagesHaveEveryContext();
};

void ShellDialogsTest::productInfoStartsFromTheStore_data() {
    QTest::addColumn<int>("storedType");  // -1: nothing stored
    QTest::addColumn<int>("storedBand");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("band");
    QTest::addColumn<int>("bandCount");
    QTest::newRow("nothing stored") << -1 << -1 << "Model-A"
                                    << "136-174MHz" << 2;
    QTest::newRow("type 2, band 3") << 1 << 2 << "Model-B"
                                    << "430-440MHz" << 3;
    QTest::newRow("band past the list") << 0 << 5 << "Model-A"
                                        << "" << 2;
}

void ShellDialogsTest::productInfoStartsFromTheStore() {
    QFETCH(int, storedType);
    QFETCH(int, storedBand);
    QFETCH(QString, type);
    QFETCH(QString, band);
    QFETCH(int, bandCount);
    ShellFixture fx(SampleIni("English"));
    if (storedType >= 0) {
        fx.store->SetInt("Type", storedType);
        fx.store->SetInt("Field", storedBand);
    }
    radio::RadioImage image = radio::RadioImage::Blank();
    image[0x1FD6] = 0;  // the image's own type loses to the stored one
    CProductInfoDlg dlg(fx.ctx);
    dlg.Attach(&image);
    dlg.OnInitDialog();
    QCOMPARE(dlg.TypeCombo()->count(), 2);
    QCOMPARE(dlg.TypeCombo()->currentText(), type);
    QCOMPARE(dlg.BandCombo()->count(), bandCount);
    QCOMPARE(dlg.BandCombo()->currentText(), band);
}

void ShellDialogsTest::productInfoOk_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("band");
    QTest::addColumn<QByteArray>("limits");
    QTest::addColumn<QString>("title");
    QTest::newRow("Model-A 136-174") << 0 << 0 << QByteArray("\x13\x17\x63", 3)
                                     << "Radio Title  [ Type:Model-A  Fre:136-174MHz ]";
    QTest::newRow("Model-A 400-470") << 0 << 1 << QByteArray("\x40\x46\x09", 3)
                                     << "Radio Title  [ Type:Model-A  Fre:400-470MHz ]";
    QTest::newRow("Model-B 430-440") << 1 << 2 << QByteArray("\x43\x43\x09", 3)
                                     << "Radio Title  [ Type:Model-B  Fre:430-440MHz ]";
}

void ShellDialogsTest::productInfoOk() {
    QFETCH(int, type);
    QFETCH(int, band);
    QFETCH(QByteArray, limits);
    QFETCH(QString, title);
    ShellFixture fx(SampleIni("English"));
    radio::RadioImage image = radio::RadioImage::Blank();
    CProductInfoDlg dlg(fx.ctx);
    dlg.Attach(&image);
    dlg.OnInitDialog();
    dlg.TypeCombo()->setCurrentIndex(type);  // refills the bands, first one selected
    QCOMPARE(dlg.BandCombo()->currentIndex(), 0);
    dlg.BandCombo()->setCurrentIndex(band);
    dlg.accept();
    QCOMPARE(int(image[0x1FD6]), type);
    QCOMPARE(int(image[0x1FD7]), band);
    QCOMPARE(Bytes(image, 0x1FF0, 3), limits);
    QCOMPARE(fx.store->GetInt("Type"), std::optional<std::uint32_t>(type));
    QCOMPARE(fx.store->GetInt("Field"), std::optional<std::uint32_t>(band));
    QCOMPARE(dlg.ResultTitle(), title);
}

void ShellDialogsTest::productInfoCancelChangesNothing() {
    ShellFixture fx(SampleIni("English"));
    radio::RadioImage image = radio::RadioImage::Blank();
    const radio::RadioImage before = image;
    CProductInfoDlg dlg(fx.ctx);
    dlg.Attach(&image);
    dlg.OnInitDialog();
    dlg.TypeCombo()->setCurrentIndex(1);
    dlg.reject();
    QVERIFY(image == before);
    QVERIFY(!fx.store->GetInt("Type").has_value());
}

void ShellDialogsTest::productInfoListsAtMost19Types() {
    ShellFixture fx(ManyTypes(20));
    radio::RadioImage image = radio::RadioImage::Blank();
    CProductInfoDlg dlg(fx.ctx);
    dlg.Attach(&image);
    dlg.OnInitDialog();
    QCOMPARE(dlg.TypeCombo()->count(), 19);
    QCOMPARE(dlg.TypeCombo()->itemText(18), QString("T19"));
}

void ShellDialogsTest::languageDialog_data() {
    QTest::addColumn<QByteArray>("running");
    QTest::addColumn<QList<int>>("choices");  // successive OKs
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QByteArray>("stored");  // null: the file is not written
    QTest::newRow("same language: nothing")
        << QByteArray("English") << QList<int>{0} << false << QByteArray();
    QTest::newRow("English to Chinese")
        << QByteArray("English") << QList<int>{1} << true << QByteArray("Chinese");
    QTest::newRow("Chinese to English")
        << QByteArray("Chinese") << QList<int>{0} << true << QByteArray("English");
    // "chinese" starts in English; choosing Chinese must reach the file in its exact case.
    QTest::newRow("lower-case value to Chinese")
        << QByteArray("chinese") << QList<int>{1} << true << QByteArray("Chinese");
    // A restart that was cancelled left Chinese stored; choosing English again undoes it.
    QTest::newRow("change, then back")
        << QByteArray("English") << QList<int>{1, 0} << false << QByteArray("English");
}

void ShellDialogsTest::languageDialog() {
    QFETCH(QByteArray, running);
    QFETCH(QList<int>, choices);
    QFETCH(bool, changed);
    QFETCH(QByteArray, stored);
    ShellFixture fx(SampleIni(running.constData()));
    CLanguageDlg dlg(fx.ctx);
    QCOMPARE(dlg.Selection(), -1);
    for (int choice : choices) {
        dlg.OnInitDialog();
        QCOMPARE(dlg.Selection(), running == "Chinese" ? 1 : 0);
        dlg.SetSelection(choice);
        dlg.accept();
    }
    QCOMPARE(dlg.IsChanged(), changed);
    QCOMPARE(fx.ctx.Config().dirty(), !stored.isNull());
    if (!stored.isNull())
        QCOMPARE(QByteArray::fromStdString(fx.ctx.Config().GetValue("Setup", "Language")), stored);
    QCOMPARE(fx.ctx.UiLanguage(),
             running == "Chinese" ? radio::Language::Chinese : radio::Language::English);
}

void ShellDialogsTest::aboutShowsTheConfiguredTexts() {
    ShellFixture fx(SampleIni("Chinese"));
    CAboutDlg dlg(fx.ctx);
    QCOMPARE(dlg.windowTitle(), QString("关于对讲机"));
    QCOMPARE(dlg.versionLabel()->text(), QString("版本 9"));
    QCOMPARE(dlg.copyrightLabel()->text(), QString("版权"));
    QCOMPARE(dlg.link()->text(), QString("www.example.org"));
    QCOMPARE(dlg.link()->toolTip(), QString("www.example.org"));
    QVERIFY(!dlg.iconLabel()->pixmap().isNull());  // the bundled icon without title.ico
}

void ShellDialogsTest::hyperlinkColours_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("url");
    QTest::newRow("opened: purple") << "www.example.org" << true << "http://www.example.org";
    QTest::newRow("refused: stays blue") << "www.example.org" << false << "http://www.example.org";
    QTest::newRow("empty address: nothing opened") << "" << true << "";
}

void ShellDialogsTest::hyperlinkColours() {
    QFETCH(QString, address);
    QFETCH(bool, opens);
    QFETCH(QString, url);
    ShellFixture fx(SampleIni("English"));
    fx.urlOpenResult = opens;
    CXHyperLink link(fx.ctx);
    link.SetLink(address, address);
    QCOMPARE(link.currentColor(), CXHyperLink::kUnvisited);
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
    const bool opened = link.Follow();
    QCOMPARE(opened, opens && !url.isEmpty());
    QCOMPARE(fx.openedUrls.isEmpty(), url.isEmpty());
    if (!url.isEmpty()) QCOMPARE(fx.openedUrls[0].toString(), url);
    QCOMPARE(link.currentColor(), opened ? CXHyperLink::kVisited : CXHyperLink::kUnvisited);
    QCOMPARE(link.palette().color(QPalette::WindowText), link.currentColor());
}

void ShellDialogsTest::helpOpensThePageOfTheLanguage_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("English command") << QByteArray("English") << 32788 << "enHelp.html"
                                     << "32788";
    QTest::newRow("Chinese control") << QByteArray("Chinese") << 1013 << "chHelp.html"
                                     << "1013";
    QTest::newRow("general page") << QByteArray("English") << 0 << "enHelp.html"
                                  << "";
}

void ShellDialogsTest::helpOpensThePageOfTheLanguage() {
    QFETCH(QByteArray, language);
    QFETCH(int, context);
    QFETCH(QString, page);
    QFETCH(QString, fragment);
    ShellFixture fx(SampleIni(language.constData()));
    fx.ctx.ShowHelp(context);
    QCOMPARE(fx.openedUrls.size(), 1);
    QVERIFY(fx.openedUrls[0].isLocalFile());
    QCOMPARE(QFileInfo(fx.openedUrls[0].toLocalFile()).fileName(), page);
    QCOMPARE(fx.openedUrls[0].fragment(), fragment);

    // Without the page nothing opens, and the user is told which page is missing.
    fx.ctx.AppConfig().helpFile = "noSuchHelp";
    fx.ctx.ShowHelp(context);
    QCOMPARE(fx.openedUrls.size(), 1);
    QCOMPARE(fx.messages.shown.size(), 1);
    QVERIFY2(fx.messages.shown[0].text.contains("noSuchHelp.html"),
             qPrintable(fx.messages.shown[0].text));
    QVERIFY(!fx.ctx.HelpWindow());
}

void ShellDialogsTest::helpWindowWithoutBrowser_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("English command") << QByteArray("English") << 32786 << "enHelp.html"
                                     << "Help - Radio Co";
    QTest::newRow("Chinese control")
        << QByteArray("Chinese") << 1013 << "chHelp.html" << QString::fromUtf8("帮助 - 对讲机公司");
    QTest::newRow("the top") << QByteArray("English") << 0 << "enHelp.html"
                             << "Help - Radio Co";
}

void ShellDialogsTest::helpWindowWithoutBrowser() {
    QFETCH(QByteArray, language);
    QFETCH(int, context);
    QFETCH(QString, page);
    QFETCH(QString, title);
    ShellFixture fx(SampleIni(language.constData()));
    fx.urlOpenResult = false;  // no browser takes the page
    fx.ctx.ShowHelp(context);
    QCOMPARE(fx.openedUrls.size(), 1);
    CHelpWindow* window = fx.ctx.HelpWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), title);
    QTextBrowser* browser = window->Browser();
    QCOMPARE(QFileInfo(browser->source().toLocalFile()).fileName(), page);
    QVERIFY(browser->documentTitle().contains(context == 1013 ? "帮助" : "Help"));  // the page
    // At the context's place: the anchor's heading at the top of the view.
    QScrollBar* bar = browser->verticalScrollBar();
    if (context == 0) {
        QCOMPARE(bar->value(), 0);
    } else {
        QVERIFY(bar->value() > 0);
    }
    QVERIFY(fx.messages.shown.isEmpty());

    // The next F1 reuses the window, at its own place.
    const int before = bar->value();
    fx.ctx.ShowHelp(1000);
    QCOMPARE(fx.ctx.HelpWindow(), window);
    QVERIFY(bar->value() != before);
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

void ShellDialogsTest::helpPagesHaveEveryContext_data() {
    QTest::addColumn<QString>("page");
    QTest::newRow("English") << "enHelp.html";
    QTest::newRow("Chinese") << "chHelp.html";
}

void ShellDialogsTest::helpPagesHaveEveryContext() {
    QFETCH(QString, page);
    QFile f(QString(RADIO_RESOURCES) + "/help/" + page);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QSet<int> anchors;
    for (const auto& m : QRegularExpression(QStringLiteral("id=\"(\\d+)\"")).globalMatch(html)) {
        QVERIFY2(!anchors.contains(m.captured(1).toInt()), qPrintable("twice: " + m.captured(1)));
        anchors.insert(m.captured(1).toInt());
    }
    const int contexts[] = {57600, 57601, 57602, 57603, 57604, 57606, 57607, 57609, 57664, 57665,
                            59392, 59393, 32773, 32774, 32777, 32780, 32786, 32787, 32788, 32799,
                            1002,  1016,  1116,  1117,  1118,  1119,  1120,  1121,  1122,  1123,
                            1124,  1125,  1126,  1127,  1128,  1129,  1130,  1013,  1014,  1000,
                            2127,  2128,  2132,  2133,  1134,  1135};
    for (int id : contexts) QVERIFY2(anchors.contains(id), qPrintable(QString::number(id)));
}

QTEST_MAIN(ShellDialogsTest)
#include "shell_dialogs_test.moc"
