// The channel document: New, and saves that encode the grid, fail safely and ask for names.

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "core/codec/channel_codec.h"
#include "desktop/document/program_doc.h"
#include "tests/support/fake_services.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace

class ProgramDocTest : public QObject {
    Q_OBJECT

private slots:
    void newDocument_data();
    void newDocument();
    void saveEncodesTheGrid();
    void failedSaveReportsAndStaysModified();
};

void ProgramDocTest::newDocument_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("English") << QByteArray("English") << "Channel Information";
    QTest::newRow("Chinese") << QByteArray("Chinese") << QString::fromUtf8("信道信息");
}

void ProgramDocTest::newDocument() {
    QFETCH(QByteArray, language);
    QFETCH(QString, title);
    ShellFixture fx(SampleIni(language.constData()));
    fx.store->SetInt("Type", 1);
    fx.store->SetInt("Field", 0);
    CProgramDoc doc;
    doc.image()[0] = 0x12;
    QVERIFY(doc.OnNewDocument());
    QVERIFY(doc.image() == radio::RadioImage::Blank());
    QCOMPARE(doc.GetTitle(), title);
    QCOMPARE(doc.GetPathName(), QString("TestRadio"));
    QVERIFY(!doc.HasUserFile());
    QVERIFY(g_newImageFlag);

    // Showing it takes the stored type and band into the image.
    doc.DecodeIntoGrid();
    QCOMPARE(int(doc.image()[0x1FD6]), 1);
    QCOMPARE(int(doc.image()[0x1FD7]), 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(doc.image().data()) + 0x1FF0, 3),
             QByteArray("\x13\x17\x63", 3));  // 136-174 MHz, the first band of type 2
    QVERIFY(!doc.IsModified());
}

void ProgramDocTest::saveEncodesTheGrid() {
    ShellFixture fx(SampleIni("English"));
    CProgramDoc doc;
    doc.OnNewDocument();
    doc.DecodeIntoGrid();
    QSignalSpy aboutToSave(&doc, &CProgramDoc::aboutToSave);
    // An edit of the working copy reaches the file; the image follows it on save.
    QCOMPARE(radio::CommitCellEdit(doc.grid(), 2, radio::kColRxFreq, "146.525",
                                   radio::Language::English),
             radio::CommitResult::Accepted);
    doc.SetModifiedFlag();

    fx.files.names = {fx.Path("saved.dat")};
    QVERIFY(doc.DoFileSave(nullptr));
    QCOMPARE(aboutToSave.count(), 1);
    const QByteArray saved = FileBytes(fx.Path("saved.dat"));
    QCOMPARE(saved.size(), 8192);
    QCOMPARE(saved, QByteArray(reinterpret_cast<const char*>(doc.image().data()), 8192));
    QVERIFY(radio::DecodeChannelRow(doc.image(), 1, radio::Language::English)[0] == "146.52500");
    QVERIFY(!doc.IsModified());
    QCOMPARE(doc.GetTitle(), QString("saved.dat"));
}

void ProgramDocTest::failedSaveReportsAndStaysModified() {
    ShellFixture fx(SampleIni("English"));
    CProgramDoc doc;
    doc.OnNewDocument();
    doc.SetModifiedFlag();
    // The chosen name is a folder: nothing can be written there.
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.dat"));
    fx.files.names = {fx.Path("folder.dat")};
    QVERIFY(!doc.DoFileSave(nullptr));
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].caption, QString("Radio Co"));
    QVERIFY(doc.IsModified());
    QVERIFY(!doc.HasUserFile());
    QCOMPARE(doc.GetTitle(), QString("Channel Information"));
}

QTEST_MAIN(ProgramDocTest)
#include "program_doc_test.moc"
