// The Option Features dialog driven through its controls, over blank and odd images.

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QTest>

#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/services/help.h"
#include "tests/support/fake_services.h"
#include "tests/support/typing.h"

namespace {

// Starts the dialog over `image`, as showing it does.
void Start(COptionFeaturesDlg& dlg, radio::RadioImage& image) {
    dlg.Attach(&image);
    dlg.OnInitDialog();
}

}  // namespace

class OptionFeaturesDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsCarryTheirIds();
    void blankImageShows_data();
    void blankImageShows();
    void okWithoutChangesOnBlankImage();
    void cancelWritesNothing();
    void outOfRangeBytes_data();
    void outOfRangeBytes();
    void ledChangeKeepsOtherBits();
    void powerOnName_data();
    void powerOnName();

  private:
    ShellFixture fx{SampleIni("English")};  // help and texts; the dialog keeps nothing in it
};

void OptionFeaturesDlgTest::controlsCarryTheirIds() {
    COptionFeaturesDlg dlg(fx.ctx);
    QCOMPARE(dlg.windowTitle(), QString("Option Features"));
    for (int id : {1116, 1117, 1118, 1119, 1120, 1121, 1122, 1123, 1124, 1125, 1126, 1127, 1128,
                   1129, 1130}) {
        QComboBox* combo = dlg.List(id);
        QVERIFY2(combo, qPrintable(QString::number(id)));
        QCOMPARE(ControlIdOf(combo), id);
    }
    QCOMPARE(ControlIdOf(dlg.PowerOnName()), 1002);
    QCOMPARE(ControlIdOf(dlg.Beep()), 1016);
    QCOMPARE(dlg.PowerOnName()->maxLength(), 6);
    // Step offers the five steps the image's value indexes.
    QCOMPARE(dlg.List(1117)->count(), 5);
    QCOMPARE(dlg.List(1117)->itemText(0), QString("5k"));
    // Two columns: Step heads the right one, level with LED at the head of the left one; the
    // power-on name closes the left column, Beep the right one.
    dlg.layout()->activate();
    QVERIFY(dlg.List(1117)->x() > dlg.List(1119)->x());
    QCOMPARE(dlg.List(1117)->y(), dlg.List(1119)->y());
    QVERIFY(dlg.PowerOnName()->y() > dlg.List(1125)->y());
    QCOMPARE(dlg.PowerOnName()->x(), dlg.List(1119)->x());
    QVERIFY(dlg.Beep()->y() > dlg.List(1126)->y());
}

void OptionFeaturesDlgTest::blankImageShows_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("Squelch Level") << 1116 << "1";
    QTest::newRow("Time-Out Timer") << 1118 << "1";
    QTest::newRow("Step") << 1117 << "25k";
    QTest::newRow("Channel Display") << 1124 << "Off";
    QTest::newRow("Busy") << 1127 << "Off";
    QTest::newRow("Scan Mode") << 1126 << "CO";
    QTest::newRow("LED") << 1119 << "Auto";
    QTest::newRow("Keypad Lock") << 1121 << "Manual";
    QTest::newRow("Priority Scan") << 1123 << "Off";
    QTest::newRow("Encoder") << 1129 << "On";
    QTest::newRow("Mode") << 1128 << "Frequency";
    QTest::newRow("Voice Sensitivity") << 1122 << "Off";
    QTest::newRow("Call Tone") << 1130 << "1";
    QTest::newRow("Battery Saver") << 1120 << "Off";
    QTest::newRow("Pri-Scanning Time, byte 0xFF") << 1125 << "3s";
}

void OptionFeaturesDlgTest::blankImageShows() {
    QFETCH(int, id);
    QFETCH(QString, text);
    radio::RadioImage image = radio::RadioImage::Blank();
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    QCOMPARE(dlg.List(id)->currentText(), text);
    QVERIFY(dlg.Beep()->isChecked());
    QCOMPARE(dlg.PowerOnName()->text(), QString());
}

void OptionFeaturesDlgTest::okWithoutChangesOnBlankImage() {
    radio::RadioImage image = radio::RadioImage::Blank();
    const radio::RadioImage before = image;
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(image == before);  // Pri-Scanning Time's 0xFF too, although it shows "3s"
}

void OptionFeaturesDlgTest::cancelWritesNothing() {
    radio::RadioImage image = radio::RadioImage::Blank();
    const radio::RadioImage before = image;
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    dlg.List(1119)->setCurrentIndex(2);
    dlg.PowerOnName()->setText("ABC");
    dlg.reject();
    QVERIFY(image == before);
}

void OptionFeaturesDlgTest::outOfRangeBytes_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("chosen");  // the entry the user chooses; -1 none
    QTest::addColumn<int>("stored");
    QTest::newRow("Step 0x05, kept")
        << 0x1FE0 << 0x05 << 1117 << "5 (not in the list)" << -1 << 0x05;
    QTest::newRow("Time-Out Timer 0x07, 3 chosen")
        << 0x1FC3 << 0x07 << 1118 << "7 (not in the list)" << 2 << 0x02;
    QTest::newRow("Voice Sensitivity 0x1F")
        << 0x1FE4 << 0x1F << 1122 << "31 (not in the list)" << -1 << 0x1F;
    QTest::newRow("Battery Saver 0x09, Off chosen") << 0x1FE7 << 0x09 << 1120 << "Off" << 0 << 0x00;
    QTest::newRow("Squelch 0xF3 masked to 3") << 0x1FC1 << 0xF3 << 1116 << "3" << -1 << 0xF3;
}

void OptionFeaturesDlgTest::outOfRangeBytes() {
    QFETCH(int, offset);
    QFETCH(int, byte);
    QFETCH(int, id);
    QFETCH(QString, shown);
    QFETCH(int, chosen);
    QFETCH(int, stored);
    radio::RadioImage image = radio::RadioImage::Blank();
    image[offset] = static_cast<std::uint8_t>(byte);
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    QComboBox* list = dlg.List(id);
    QCOMPARE(list->currentText(), shown);
    if (shown.endsWith("(not in the list)")) QCOMPARE(list->currentIndex(), list->count() - 1);
    if (chosen >= 0) {
        // As the user does it: the list's entry is chosen, even the one already shown.
        list->setCurrentIndex(chosen);
        emit list->activated(chosen);
    }
    dlg.accept();
    QCOMPARE(int(image[offset]), stored);

    // The next start shows the list as it is again, without the former extra entry.
    radio::RadioImage blank = radio::RadioImage::Blank();
    Start(dlg, blank);
    QVERIFY(list->findText("(not in the list)", Qt::MatchEndsWith) < 0);
}

void OptionFeaturesDlgTest::ledChangeKeepsOtherBits() {
    radio::RadioImage image = radio::RadioImage::Blank();
    image[0x1FE1] = 0b0010'0101;  // Scan Mode CO, LED Auto, bit 0 set
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    QCOMPARE(dlg.List(1119)->currentText(), QString("Auto"));
    dlg.List(1119)->setCurrentIndex(2);  // On
    dlg.accept();
    // LED bits 3-2 become 10; bit 0 and the scan mode stay; Channel Display (bit 7) and Busy
    // (bit 6) were "On" (clear) and stay clear.
    QCOMPARE(int(image[0x1FE1]), 0b0010'1001);
}

void OptionFeaturesDlgTest::powerOnName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // in the box while typing, and again from the image
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("capitals") << "HELLO"
                              << "HELLO" << QByteArray("\x11\x0E\x15\x15\x18\xFF", 6);
    // Lower-case letters are outside the radio's code: typed, they become capitals.
    QTest::newRow("lower case becomes capitals")
        << "walk12"
        << "WALK12" << QByteArray("\x20\x0A\x15\x14\x01\x02", 6);
    QTest::newRow("digits, dash, underscore")
        << "a-1_9"
        << "A-1_9" << QByteArray("\x0A\x24\x01\x26\x09\xFF", 6);
    QTest::newRow("other characters are refused")
        << QString::fromUtf8("a b.É!c") << "ABC" << QByteArray("\x0A\x0B\x0C\xFF\xFF\xFF", 6);
    QTest::newRow("six at most") << "abcdefgh"
                                 << "ABCDEF" << QByteArray("\x0A\x0B\x0C\x0D\x0E\x0F", 6);
}

void OptionFeaturesDlgTest::powerOnName() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, bytes);
    radio::RadioImage image = radio::RadioImage::Blank();
    COptionFeaturesDlg dlg(fx.ctx);
    Start(dlg, image);
    TypeText(dlg.PowerOnName(), typed);
    QCOMPARE(dlg.PowerOnName()->text(), shown);
    dlg.accept();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()) + 0x12E8, 6), bytes);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()) + 0x12E0, 6),
             QByteArray(6, char(0xFF)));
    COptionFeaturesDlg again(fx.ctx);
    Start(again, image);
    QCOMPARE(again.PowerOnName()->text(), shown);
}

QTEST_MAIN(OptionFeaturesDlgTest)
#include "option_features_dlg_test.moc"
