// The channel document: New, its own new-image flag, and saves that encode the grid, fail
// safely and ask for names.

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <random>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "desktop/document/program_doc.h"
#include "tests/support/fake_services.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray Bytes(const radio::RadioImage& image, std::size_t at, int n) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + at, n);
}

}  // namespace

class ProgramDocTest : public QObject {
    Q_OBJECT

  private slots:
    void newDocument_data();
    void newDocument();
    void documentsKeepTheirOwnNewImageFlag_data();
    void documentsKeepTheirOwnNewImageFlag();
    void saveEncodesTheGrid();
    void failedSaveReportsAndStaysModified();
    void saveAsProposesTheTitleInTheLastFolder_data();
    void saveAsProposesTheTitleInTheLastFolder();
    void openAndSaveKeepEveryChannelByte_data();
    void openAndSaveKeepEveryChannelByte();
    void savingOverALongerFileAsksFirst_data();
    void savingOverALongerFileAsksFirst();
    void savingOverAFileChangedOnDiskAsks_data();
    void savingOverAFileChangedOnDiskAsks();
    void aChangeOnDiskOffersToReload_data();
    void aChangeOnDiskOffersToReload();
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
    CProgramDoc doc(fx.ctx);
    doc.image()[0] = 0x12;
    QVERIFY(doc.OnNewDocument());
    QVERIFY(doc.image() == radio::RadioImage::Blank());
    QCOMPARE(doc.GetTitle(), title);
    QCOMPARE(doc.GetPathName(), QString("TestRadio"));
    QVERIFY(!doc.HasUserFile());
    QVERIFY(doc.IsNewImage());

    // Showing it takes the stored type and band into the image.
    doc.DecodeIntoGrid();
    QCOMPARE(int(doc.image()[0x1FD6]), 1);
    QCOMPARE(int(doc.image()[0x1FD7]), 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(doc.image().data()) + 0x1FF0, 3),
             QByteArray("\x13\x17\x63", 3));  // 136-174 MHz, the first band of type 2
    QVERIFY(!doc.IsModified());
}

void ProgramDocTest::documentsKeepTheirOwnNewImageFlag_data() {
    QTest::addColumn<bool>("newFirst");
    QTest::addColumn<bool>("read");  // the opened document then completes a read instead
    QTest::newRow("new, then opened") << true << false;
    QTest::newRow("opened, then new") << false << false;
    QTest::newRow("new, then the other read from the radio") << true << true;
}

void ProgramDocTest::documentsKeepTheirOwnNewImageFlag() {
    QFETCH(bool, newFirst);
    QFETCH(bool, read);
    ShellFixture fx(SampleIni("English"));
    fx.store->SetInt("Type", 0);
    fx.store->SetInt("Field", 1);
    // An image of radio type 2 (Model-B), band 3 (430-440 MHz).
    radio::RadioImage own = radio::RadioImage::Blank();
    own[0x1FD6] = 1;
    own[0x1FD7] = 2;
    const QString path = fx.Path("model-b.dat");
    QVERIFY(radio::SaveChannelFile(QFile::encodeName(path).toStdString(), own).ok);

    CProgramDoc fresh(fx.ctx);
    CProgramDoc other(fx.ctx);
    const auto load = [&] {
        if (read) {
            // What the view does once every block has arrived.
            other.OnNewDocument();
            other.image() = own;
            other.SetNewImage(false);
        } else {
            QVERIFY(other.OnOpenDocument(path).ok);
        }
    };
    if (newFirst) {
        fresh.OnNewDocument();
        load();
    } else {
        load();
        fresh.OnNewDocument();
    }
    QVERIFY(fresh.IsNewImage());
    QVERIFY(!other.IsNewImage());

    // Whichever came last, the new image takes the stored choice and leaves it alone...
    QCOMPARE(fresh.DecodeIntoGrid(), QString("Radio Title"));
    QCOMPARE(int(fresh.image()[0x1FD6]), 0);
    QCOMPARE(int(fresh.image()[0x1FD7]), 1);
    QCOMPARE(Bytes(fresh.image(), 0x1FF0, 3), QByteArray("\x40\x46\x09", 3));  // 400-470 MHz
    QCOMPARE(fx.store->GetInt("Type"), std::optional<std::uint32_t>(0));
    QCOMPARE(fx.store->GetInt("Field"), std::optional<std::uint32_t>(1));
    // ...and the other keeps its own, which becomes the stored choice.
    QCOMPARE(other.DecodeIntoGrid(), QString("Radio Title"));
    QCOMPARE(int(other.image()[0x1FD6]), 1);
    QCOMPARE(int(other.image()[0x1FD7]), 2);
    QCOMPARE(Bytes(other.image(), 0x1FF0, 3), QByteArray("\x43\x43\x09", 3));  // 430-440 MHz
    QCOMPARE(fx.store->GetInt("Type"), std::optional<std::uint32_t>(1));
    QCOMPARE(fx.store->GetInt("Field"), std::optional<std::uint32_t>(2));
    QVERIFY(fresh.IsNewImage());
}

void ProgramDocTest::saveEncodesTheGrid() {
    ShellFixture fx(SampleIni("English"));
    CProgramDoc doc(fx.ctx);
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
    CProgramDoc doc(fx.ctx);
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

void ProgramDocTest::saveAsProposesTheTitleInTheLastFolder_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("before");    // what another document did first: "open:", "save:"
    QTest::addColumn<QString>("own");       // the document's own file; empty: a new document
    QTest::addColumn<QString>("proposal");  // "@" stands for the test's folder
    const QByteArray en("English");
    QTest::newRow("new, no file yet") << en << ""
                                      << ""
                                      << "Channel Information.dat";
    QTest::newRow("new, Chinese") << QByteArray("Chinese") << ""
                                  << "" << QString::fromUtf8("信道信息.dat");
    QTest::newRow("after another file was opened") << en << "open:radios/a.dat"
                                                   << ""
                                                   << "@/radios/Channel Information.dat";
    QTest::newRow("after another file was saved") << en << "save:out/b.dat"
                                                  << ""
                                                  << "@/out/Channel Information.dat";
    QTest::newRow("an opened file keeps its name") << en << ""
                                                   << "radios/my radio.dat"
                                                   << "@/radios/my radio.dat";
    QTest::newRow("the last folder wins over the file's own")
        << en << ""
        << "radios/my radio.dat|save:out/b.dat"
        << "@/out/my radio.dat";
}

void ProgramDocTest::saveAsProposesTheTitleInTheLastFolder() {
    QFETCH(QByteArray, language);
    QFETCH(QString, before);
    QFETCH(QString, own);
    QFETCH(QString, proposal);
    ShellFixture fx(SampleIni(language.constData()));
    QVERIFY(QDir(fx.dir.path()).mkpath("radios") && QDir(fx.dir.path()).mkpath("out"));
    for (const char* name : {"radios/a.dat", "radios/my radio.dat"}) {
        QFile f(fx.Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, char(0xFF)));
    }
    const auto act = [&fx](const QString& step) {
        CProgramDoc other(fx.ctx);
        if (step.startsWith("open:")) QVERIFY(other.OnOpenDocument(fx.Path(step.mid(5))).ok);
        if (step.startsWith("save:")) {
            other.OnNewDocument();
            fx.files.names = {fx.Path(step.mid(5))};
            QVERIFY(other.DoSave(nullptr, true));
        }
    };
    act(before);
    CProgramDoc doc(fx.ctx);
    const QStringList ownSteps = own.split('|');
    if (own.isEmpty())
        doc.OnNewDocument();
    else
        QVERIFY(doc.OnOpenDocument(fx.Path(ownSteps[0])).ok);
    if (ownSteps.size() > 1) act(ownSteps[1]);

    fx.files.proposals.clear();
    QVERIFY(!doc.DoSave(nullptr, true));  // the user cancels
    QCOMPARE(fx.files.proposals, QStringList({QString(proposal).replace("@", fx.dir.path())}));
}

// The band step may rewrite 0x1FF0-0x1FF2 from the configured band; every other byte of an
// opened file comes back unchanged, whatever the channels hold, and an edit touches its row only.
void ProgramDocTest::openAndSaveKeepEveryChannelByte_data() {
    QTest::addColumn<QByteArray>("file");
    auto odd = [](std::initializer_list<std::pair<int, char>> bytes) {
        QByteArray file(8192, char(0xFF));
        const char good[16] = {0x00, 0x25, 0x65, 0x14,       0x00,       0x25, 0x65, 0x14,
                               0x70, 0x06, 0x23, char(0x80), char(0xEE), 1,    2,    3};
        file.replace(16 * 5, 16, good, 16);
        for (const auto& [at, value] : bytes) file[16 * 5 + at] = value;
        return file;
    };
    QTest::newRow("power code 11") << odd({{12, char(0xFE)}});
    QTest::newRow("rx 1656.66665")
        << odd({{0, char(0xFF)}, {1, char(0xFF)}, {2, char(0xFF)}, {3, char(0xFE)}});
    QTest::newRow("tx tone FF FE") << odd({{10, char(0xFF)}, {11, char(0xFE)}});
    for (unsigned seed : {1u, 2u}) {
        std::mt19937 rng(seed);
        QByteArray file(8192, 0);
        for (char& c : file) c = static_cast<char>(rng());
        QTest::newRow(qPrintable(QString("random %1").arg(seed))) << file;
    }
}

void ProgramDocTest::openAndSaveKeepEveryChannelByte() {
    QFETCH(QByteArray, file);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("in.dat");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    CProgramDoc doc(fx.ctx);
    QVERIFY(doc.OnOpenDocument(path).ok);
    doc.DecodeIntoGrid();
    const QByteArray band = Bytes(doc.image(), 0x1FF0, 3);
    QByteArray expected = file;
    expected.replace(0x1FF0, 3, band);

    QVERIFY(doc.DoFileSave(nullptr));
    QCOMPARE(FileBytes(path), expected);

    QCOMPARE(radio::CommitCellEdit(doc.grid(), 7, radio::kColName, "ED1", radio::Language::English),
             radio::CommitResult::Accepted);
    QVERIFY(doc.DoFileSave(nullptr));
    const QByteArray edited = FileBytes(path);
    for (int i = 0; i < 8192; ++i) {
        const bool row6 =
            (i >= 6 * 16 && i < 7 * 16) || (i >= 0x0CA0 + 6 * 8 && i < 0x0CA0 + 7 * 8);
        if (!row6 && edited[i] != expected[i]) QFAIL(qPrintable(QString("byte %1 changed").arg(i)));
    }
    if (doc.grid().InUse(7)) QCOMPARE(edited.mid(0x0CA0 + 6 * 8, 3), QByteArray("\x0E\x0D\x01", 3));
}

void ProgramDocTest::savingOverALongerFileAsksFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("OK cuts the file") << int(MessageService::Answer::Ok) << true;
    QTest::newRow("Cancel keeps it") << int(MessageService::Answer::Cancel) << false;
}

void ProgramDocTest::savingOverALongerFileAsksFirst() {
    QFETCH(int, answer);
    QFETCH(bool, saved);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("long.dat");
    const QByteArray original = QByteArray(8192, char(0xFF)) + QByteArray(100, 'x');
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(original);
    f.close();
    CProgramDoc doc(fx.ctx);
    QVERIFY(doc.OnOpenDocument(path).ok);
    QVERIFY(doc.LongerFileNote().contains("holds 8292 bytes"));
    doc.DecodeIntoGrid();
    doc.SetModifiedFlag();

    fx.messages.answers = {MessageService::Answer(answer)};
    QCOMPARE(doc.DoFileSave(nullptr), saved);
    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::OkCancel);
    QVERIFY(
        fx.messages.shown[0].text.endsWith("cuts off the 100 bytes after them.\n\nSave anyway?"));
    QCOMPARE(FileBytes(path).size(), saved ? 8192 : original.size());
    QCOMPARE(doc.IsModified(), !saved);
    if (saved) {
        // Now an image's size: the next save does not ask.
        QVERIFY(doc.DoFileSave(nullptr));
        QCOMPARE(fx.messages.shown.size(), 1);
        QVERIFY(doc.LongerFileNote().isEmpty());
    }
}

namespace {

// An image with one channel: ours and theirs differ in it.
QByteArray ImageWith(const char* rx) {
    radio::ChannelGrid grid(radio::Language::English);
    radio::RadioImage image = radio::RadioImage::Blank();
    (void)radio::CommitCellEdit(grid, 2, radio::kColRxFreq, rx, radio::Language::English);
    radio::EncodeChannelRow(grid.RowTexts(2), image, 1);
    return Bytes(image, 0, int(radio::kImageSize));
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

}  // namespace

// Another program wrote the file after it was opened: Save asks before that change is lost.
void ProgramDocTest::savingOverAFileChangedOnDiskAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("fileAfter");  // "ours" or "theirs"
    QTest::addColumn<bool>("otherWritten");  // Save As wrote other.dat
    QTest::newRow("Overwrite") << int(MessageService::Answer::Overwrite) << "ours" << false;
    QTest::newRow("Save As") << int(MessageService::Answer::SaveAs) << "theirs" << true;
    QTest::newRow("Cancel") << int(MessageService::Answer::Cancel) << "theirs" << false;
}

void ProgramDocTest::savingOverAFileChangedOnDiskAsks() {
    QFETCH(int, answer);
    QFETCH(QString, fileAfter);
    QFETCH(bool, otherWritten);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("f.dat");
    WriteAll(path, ImageWith("146.52"));
    CProgramDoc doc(fx.ctx);
    QVERIFY(doc.OnOpenDocument(path).ok);
    doc.DecodeIntoGrid();
    (void)radio::CommitCellEdit(doc.grid(), 3, radio::kColRxFreq, "440.00",
                                radio::Language::English);
    doc.SetModifiedFlag();
    const QByteArray theirs = ImageWith("147.00");
    WriteAll(path, theirs);

    fx.messages.answers = {MessageService::Answer(answer)};
    fx.files.names = {fx.Path("other.dat")};
    QCOMPARE(doc.DoFileSave(nullptr), answer != int(MessageService::Answer::Cancel));
    QCOMPARE(fx.messages.shown.at(0).kind, MessageService::Kind::OverwriteSaveAsCancel);
    QVERIFY(fx.messages.shown.at(0).text.contains("was changed by another program"));
    const QByteArray ours = Bytes(doc.image(), 0, int(radio::kImageSize));
    QCOMPARE(FileBytes(path), fileAfter == "ours" ? ours : theirs);
    QCOMPARE(QFile::exists(fx.Path("other.dat")), otherWritten);
    if (otherWritten) QCOMPARE(FileBytes(fx.Path("other.dat")), ours);
}

// The open file changes on disk: the user hears of it at once and may reload; a reload is one
// undo step, so the edits it replaced come back with Undo.
void ProgramDocTest::aChangeOnDiskOffersToReload_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("Reload") << int(MessageService::Answer::Reload) << true;
    QTest::newRow("Keep mine") << int(MessageService::Answer::Cancel) << false;
}

void ProgramDocTest::aChangeOnDiskOffersToReload() {
    QFETCH(int, answer);
    QFETCH(bool, reloaded);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path("f.dat");
    WriteAll(path, ImageWith("146.52"));
    CProgramDoc doc(fx.ctx);
    QVERIFY(doc.OnOpenDocument(path).ok);
    doc.DecodeIntoGrid();
    QVERIFY(doc.ApplyChange(
        [&] {
            (void)radio::CommitCellEdit(doc.grid(), 3, radio::kColRxFreq, "440.00",
                                        radio::Language::English);
        },
        [](int) { return QStringLiteral("edit"); }));
    fx.messages.answers = {MessageService::Answer(answer)};
    const QByteArray theirs = ImageWith("147.00");
    WriteAll(path, theirs);

    QTRY_COMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown.at(0).kind, MessageService::Kind::ReloadKeep);
    QVERIFY(fx.messages.shown.at(0).text.contains("Edit > Undo brings them back"));
    QCOMPARE(doc.grid().Text(2, radio::kColRxFreq), reloaded ? "147.00000" : "146.52000");
    QCOMPARE(doc.grid().Text(3, radio::kColRxFreq), reloaded ? "" : "440.00000");
    QCOMPARE(doc.IsModified(), !reloaded);
    if (reloaded) {
        doc.UndoStack()->undo();
        QCOMPARE(doc.grid().Text(3, radio::kColRxFreq), "440.00000");
        QVERIFY(doc.IsModified());
    }
    // The same state is told once; the file going away is told too.
    QFile::remove(path);
    QTRY_COMPARE(fx.messages.shown.size(), 2);
    QCOMPARE(fx.messages.shown.at(1).kind, MessageService::Kind::Information);
    QVERIFY(fx.messages.shown.at(1).text.contains("was deleted, moved or made unreadable"));
}

QTEST_MAIN(ProgramDocTest)
#include "program_doc_test.moc"
