#include "core/image/channel_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/image/atomic_file.h"

namespace radio {
namespace {

namespace fs = std::filesystem;

class ChannelFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char dirTemplate[] = "/tmp/channel_file_test.XXXXXX";
        ASSERT_NE(::mkdtemp(dirTemplate), nullptr);
        m_dir = dirTemplate;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static void Write(const std::string& path, const std::string& data) {
        std::ofstream(path, std::ios::binary) << data;
    }
    static std::string Read(const std::string& path) {
        std::string data;
        EXPECT_TRUE(ReadWholeFile(path, data));
        return data;
    }
    static RadioImage Patterned(unsigned seed) {
        RadioImage image;
        std::mt19937 rng(seed);
        for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(rng());
        return image;
    }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }
    fs::path m_dir;
};

TEST_F(ChannelFileTest, ShortFilesAreRejectedAndChangeNothing) {
    for (std::size_t size : {0u, 1u, 100u, 8191u}) {
        const std::string path = Path("short.dat");
        Write(path, std::string(size, '\x11'));
        RadioImage image = RadioImage::Blank();
        const Status status = LoadChannelFile(path, image);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.message, "'" + path + "' is not a channel file: it holds " +
                                      std::to_string(size) + (size == 1 ? " byte" : " bytes") +
                                      ", a channel file holds 8192.");
        EXPECT_EQ(image, RadioImage::Blank());
    }
}

TEST_F(ChannelFileTest, ExactAndLongerFilesLoadTheirFirst8192Bytes) {
    const RadioImage pattern = Patterned(7);
    const std::string bytes(reinterpret_cast<const char*>(pattern.data()), kImageSize);
    for (const std::string& tail : {std::string(), std::string("x"), std::string(50000, 'y')}) {
        const std::string path = Path("long.dat");
        Write(path, bytes + tail);
        RadioImage image;
        ASSERT_TRUE(LoadChannelFile(path, image));
        EXPECT_EQ(image, pattern);
    }
}

TEST_F(ChannelFileTest, UnreadablePathsNameTheFileAndTheReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Path("missing.dat"), "No such file or directory"},
        {m_dir.string(), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        RadioImage image = RadioImage::Blank();
        const Status status = LoadChannelFile(path, image);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.message, "Cannot read '" + path + "': " + reason + ".");
        EXPECT_EQ(image, RadioImage::Blank());
    }
}

TEST_F(ChannelFileTest, SaveWritesExactlyTheImageOverWhateverWasThere) {
    const std::string path = Path("saved.dat");
    Write(path, std::string(20000, 'z'));
    ::chmod(path.c_str(), 0640);
    const RadioImage image = Patterned(3);
    ASSERT_TRUE(SaveChannelFile(path, image));
    EXPECT_EQ(Read(path), std::string(reinterpret_cast<const char*>(image.data()), kImageSize));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(ChannelFileTest, SaveIntoAFolderThatCannotTakeItFails) {
    Write(Path("plain"), "not a folder");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Path("no/such/folder/x.dat"), "No such file or directory"},
        {Path("plain/x.dat"), "Not a directory"},
    };
    for (const auto& [path, reason] : cases) {
        const Status status = SaveChannelFile(path, RadioImage::Blank());
        EXPECT_FALSE(status);
        EXPECT_EQ(status.message, "Cannot save '" + path + "': " + reason + ".");
    }
}

TEST_F(ChannelFileTest, FailedSaveLeavesTheOldFileWhole) {
    // A file-size limit makes the write fail half-way, as a full disk would.
    const std::string path = Path("keep.dat");
    const std::string old(kImageSize, '\x42');
    Write(path, old);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = SaveChannelFile(path, Patterned(9));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, "Cannot save '" + path + "': File too large.");
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(EntryCount(), 1u);
}

}  // namespace
}  // namespace radio
