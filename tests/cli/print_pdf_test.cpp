// radioprog print run as a process; the PDF is checked through poppler's text extraction.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/image/channel_file.h"
#include "core/image/radio_image.h"

namespace radio {
namespace {

struct Outcome {
    int exit = -1;
    std::string out;
    std::string err;
};

Outcome Execute(const QString& program, const QStringList& args,
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Outcome run;
    if (!process.waitForFinished(60000)) return run;
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

// Stores `units` (10 Hz each) as the record's packed-BCD receive and transmit frequency.
void PutChannel(RadioImage& image, int record, int units, const char* name) {
    auto rec = image.Record(record);
    for (int i = 0; i < 4; ++i) {
        int pair = units;
        for (int k = 0; k < i; ++k) pair /= 100;
        rec[i] = *BcdEncode(pair % 100);
        rec[4 + i] = rec[i];
    }
    rec[8] = 0x70;  // 67.0 Hz decode
    rec[9] = 0x06;
    rec[10] = 0x23;  // DCS 023 normal encode
    rec[11] = 0x80;
    rec[12] = 0x2A;  // High, Lock, Wide
    EncodeName(name, image.NameBytes(record));
}

class PrintPdfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdfinfo").isEmpty())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) not installed";
        ASSERT_TRUE(m_dir.isValid());
        m_config = m_dir.filePath("Program.ini");
        WriteFile(m_config,
                  "[English]\nCopyrights Owner=www.owner.example\n"
                  "[Chinese]\nCopyrights Owner=对讲机主人\n");

        // Eight channels in use, spread out with gaps: rows 1, 3, 4, 10, 11, 12, 40, 199.
        m_image = RadioImage::Blank();
        const int records[] = {0, 2, 3, 9, 10, 11, 39, 198};
        for (int i = 0; i < 8; ++i) {
            PutChannel(m_image, records[i], 14600000 + 12500 * i,
                       ("CH" + std::to_string(i)).c_str());
        }
        m_input = m_dir.filePath("eight.dat");
        ASSERT_TRUE(SaveChannelFile(m_input.toStdString(), m_image).ok);
    }

    Outcome PrintFile(const QStringList& extra) {
        QStringList args = {"--config", m_config, "print", m_input};
        return Execute(QStringLiteral(RADIO_BIN_DIR "/radioprog"), args + extra);
    }

    std::string PageText(const QString& pdf, int page) {
        const Outcome run = Execute("pdftotext", {"-f", QString::number(page), "-l",
                                                  QString::number(page), "-layout", pdf, "-"});
        EXPECT_EQ(run.exit, 0) << run.err;
        return run.out;
    }

    int PageCount(const QString& pdf) {
        const Outcome run = Execute("pdfinfo", {pdf});
        const auto at = run.out.find("Pages:");
        if (run.exit != 0 || at == std::string::npos) return -1;
        return std::stoi(run.out.substr(at + 6));
    }

    QTemporaryDir m_dir;
    QString m_config;
    QString m_input;
    RadioImage m_image;
};

void ExpectHolds(const std::string& text, const std::vector<std::string>& parts,
                 const char* where) {
    for (const std::string& part : parts)
        EXPECT_NE(text.find(part), std::string::npos) << where << " lacks \"" << part << "\"\n"
                                                      << text;
}

void ExpectLacks(const std::string& text, const std::vector<std::string>& parts,
                 const char* where) {
    for (const std::string& part : parts)
        EXPECT_EQ(text.find(part), std::string::npos) << where << " has \"" << part << "\"";
}

TEST_F(PrintPdfTest, EnglishJobHasOptionSheetAndTwoChannelPages) {
    const QString pdf = m_dir.filePath("out.pdf");
    const Outcome run = PrintFile({"-o", pdf});
    ASSERT_EQ(run.exit, 0) << run.err;
    ASSERT_EQ(PageCount(pdf), 3);

    ChannelGrid grid;
    DecodeImageToGrid(m_image, grid, Language::English);

    ExpectHolds(
        PageText(pdf, 1),
        {"Option", "Function", "Time Out Timer:", "Squelch Level:", "Busy", "LED", "Encoder",
         "Battery Saver:", "Frequency", "Manual", "10s", "25k", "www.owner.example", "Page 1 of 3"},
        "page 1");

    const std::string page2 = PageText(pdf, 2);
    ExpectHolds(page2,
                {"Channel",
                 "Channel 0:",
                 "Channel 2:",
                 "Channel 3:",
                 "Channel 9:",
                 "Channel 10:",
                 "Channel 11:",
                 "Channel 39:",
                 "Receive Frequency:",
                 "Transceive Frequency:",
                 "QT/DQT Decode:",
                 "QT/DQT Encode:",
                 "Power:",
                 "Channel Lock:",
                 "Channel Name:",
                 grid.Text(1, kColRxFreq),
                 grid.Text(40, kColRxFreq),
                 grid.Text(1, kColRxTone),
                 grid.Text(1, kColTxTone),
                 grid.Text(1, kColPower),
                 grid.Text(1, kColLock),
                 "CH0",
                 "CH6",
                 "www.owner.example",
                 "Page 2 of 3"},
                "page 2");
    ExpectLacks(page2,
                {"Channel 198:", "CH7", grid.Text(1, kColScanAdd), grid.Text(1, kColBandwidth)},
                "page 2");

    const std::string page3 = PageText(pdf, 3);
    ExpectHolds(page3, {"Channel 198:", grid.Text(199, kColRxFreq), "CH7", "Page 3 of 3"},
                "page 3");
    ExpectLacks(page3, {"Channel 39:", "CH6"}, "page 3");
}

TEST_F(PrintPdfTest, ChineseJobPrintsChineseTexts) {
    const QString pdf = m_dir.filePath("zh.pdf");
    const Outcome run = PrintFile({"-o", pdf, "--lang", "zh", "--page-size", "letter"});
    ASSERT_EQ(run.exit, 0) << run.err;
    ASSERT_EQ(PageCount(pdf), 3);
    EXPECT_NE(Execute("pdfinfo", {pdf}).out.find("(letter)"), std::string::npos);

    ChannelGrid grid(Language::Chinese);
    DecodeImageToGrid(m_image, grid, Language::Chinese);

    ExpectHolds(PageText(pdf, 1),
                {"可选功能", "功能", "超时定时器:", "繁忙:", "键盘锁定:", "手动", "频率", "开",
                 "LED", "10s", "25k", "对讲机主人", "Page 1 of 3"},
                "page 1");
    ExpectHolds(PageText(pdf, 2),
                {"信道0:", "信道39:", "接收频率:", "发射频率:", "QT/DQT解码:", "QT/DQT编码:",
                 "功率:", "信道锁定:", "信道名字:", grid.Text(1, kColRxFreq),
                 grid.Text(1, kColPower), grid.Text(1, kColLock), "Page 2 of 3"},
                "page 2");
    ExpectHolds(PageText(pdf, 3), {"信道198:", "CH7", "Page 3 of 3"}, "page 3");
}

// As root, from a service or over sudo, Qt finds no usable runtime folder and says so; scripts
// read radioprog's stderr, which must hold nothing but its own messages.
TEST_F(PrintPdfTest, StderrHoldsOnlyRadioprogsOwnMessages) {
    const QString wrongMode = m_dir.filePath("runtime");
    ASSERT_TRUE(QDir().mkpath(wrongMode));
    QFile::setPermissions(wrongMode, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                         QFileDevice::ExeOther);
    struct Case {
        const char* name;
        const char* runtimeDir;  // nullptr: unset
    };
    const Case cases[] = {
        {"no XDG_RUNTIME_DIR", nullptr},
        {"runtime folder missing", "/nonexistent/runtime"},
        {"runtime folder open to others", "wrong-mode"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.remove("QT_QPA_PLATFORM");
        if (c.runtimeDir) {
            env.insert("XDG_RUNTIME_DIR", std::string_view(c.runtimeDir) == "wrong-mode"
                                              ? wrongMode
                                              : QString::fromUtf8(c.runtimeDir));
        }
        const QString pdf = m_dir.filePath("quiet.pdf");
        const Outcome run = Execute(QStringLiteral(RADIO_BIN_DIR "/radioprog"),
                                    {"--config", m_config, "print", m_input, "-o", pdf}, env);
        EXPECT_EQ(run.exit, 0) << c.name;
        EXPECT_EQ(run.err, "") << c.name;
        // Its own messages still come through.
        const Outcome bad = Execute(QStringLiteral(RADIO_BIN_DIR "/radioprog"),
                                    {"print", m_dir.filePath("none.dat"), "-o", pdf}, env);
        EXPECT_EQ(bad.exit, 2) << c.name;
        EXPECT_EQ(bad.err.rfind("radioprog: ", 0), 0u) << c.name << ": " << bad.err;
        EXPECT_EQ(bad.err.find("QStandardPaths"), std::string::npos) << c.name << ": " << bad.err;
    }
}

TEST_F(PrintPdfTest, FailuresKeepAnExistingPdf) {
    const QString pdf = m_dir.filePath("kept.pdf");
    WriteFile(pdf, "previous contents");
    WriteFile(m_dir.filePath("short.dat"), std::string(100, '\xff'));

    struct Case {
        const char* name;
        QStringList args;
        int exit;
    };
    const Case cases[] = {
        {"no output", {"print", m_input}, 2},
        {"unknown page size", {"print", m_input, "-o", pdf, "--page-size", "A99"}, 2},
        {"bad language", {"print", m_input, "-o", pdf, "--lang", "fr"}, 2},
        {"missing input", {"print", m_dir.filePath("none.dat"), "-o", pdf}, 2},
        {"short input", {"print", m_dir.filePath("short.dat"), "-o", pdf}, 2},
        {"two inputs", {"print", m_input, m_input, "-o", pdf}, 2},
        {"unwritable folder", {"print", m_input, "-o", m_dir.filePath("no/such/dir/x.pdf")}, 1},
    };
    for (const Case& c : cases) {
        const Outcome run = Execute(QStringLiteral(RADIO_BIN_DIR "/radioprog"),
                                    QStringList{"--config", m_config} + c.args);
        EXPECT_EQ(run.exit, c.exit) << c.name << ": " << run.err;
        EXPECT_FALSE(run.err.empty()) << c.name;
        EXPECT_EQ(ReadFile(pdf), "previous contents") << c.name;
    }
    // Nothing left behind in the folder but the files put there.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);

    // A good run replaces it.
    ASSERT_EQ(PrintFile({"-o", pdf}).exit, 0);
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace radio
