// The write pool: one worker per radio against in-process virtual radios on fake clocks.
#include "core/link/write_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/formats/batch_log.h"
#include "core/image/channel_file.h"
#include "core/link/virtual_radio_port.h"
#include "tests/support/link_test_support.h"

namespace radio::test {
namespace {

// A one-shot signal. Not std::binary_semaphore: MinGW's libstdc++ 12 waits on it without a
// futex, and one such wait under wine never woke.
class Signal {
  public:
    void Raise() {
        {
            std::lock_guard lock(m_mutex);
            m_raised = true;
        }
        m_cv.notify_all();
    }
    void Await() {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_raised; });
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_raised = false;
};

// Holds a radio in the middle of its write until the test lets it go on.
struct Gate {
    Signal reached;
    Signal open;
};

// A virtual radio's port that notes when it is closed and can be held up by a gate.
class TestPort : public VirtualRadioPort {
  public:
    TestPort(VirtualRadio& radio, Clock& clock, Gate* gate, bool& closed)
        : VirtualRadioPort(radio, clock), m_gate(gate), m_closed(closed) {}
    ~TestPort() override { m_closed = !IsOpen(); }
    void Write(const std::uint8_t* data, std::size_t n) override {
        if (m_gate && ++m_writes == 100) {
            m_gate->reached.Raise();
            m_gate->open.Await();
        }
        VirtualRadioPort::Write(data, n);
    }

  private:
    Gate* m_gate;
    bool& m_closed;
    int m_writes = 0;
};

class Recorder : public BatchObserver {
  public:
    std::function<void(const BatchRadio&)> onFinished;
    std::mutex mutex;
    std::vector<std::size_t> order;
    void Finished(const BatchRadio& radio) override {
        {
            std::lock_guard lock(mutex);
            order.push_back(radio.index);
        }
        if (onFinished) onFinished(radio);
    }
};

RadioFaults Faults(std::string_view list) {
    RadioFaults f;
    EXPECT_TRUE(ParseFaults(list, f).ok) << list;
    return f;
}

// Everything one radio of a test needs, alive for the whole round.
struct Radio {
    VirtualRadio radio;
    bool gated = false;
    bool closed = false;
};

struct PoolRig {
    std::vector<std::unique_ptr<Radio>> radios;
    Gate gate;
    std::vector<std::string> backups;  // what the backup hook was given, by radio
    bool backupFails = false;

    BatchHooks Hooks() {
        BatchHooks hooks;
        hooks.connect = [this](std::size_t i, const std::string&) {
            Radio& r = *radios[i];
            auto clock = std::make_unique<FakeClock>();
            auto port =
                std::make_unique<TestPort>(r.radio, *clock, r.gated ? &gate : nullptr, r.closed);
            return BatchConnection{std::move(clock), std::move(port)};
        };
        hooks.backup = [this](std::size_t i, const std::string& port, const RadioImage& image,
                              std::string& path) {
            if (backupFails) return Status::Error("disk full");
            path = "backup-of-" + port;
            backups[i] = std::string(image.bytes().begin(), image.bytes().end());
            return Status::Ok();
        };
        hooks.compare = [](const RadioImage& written, const RadioImage& readBack) {
            return VerifySummary(written, readBack, Language::English);
        };
        return hooks;
    }
    std::vector<std::string> Ports() const {
        std::vector<std::string> ports;
        for (std::size_t i = 0; i < radios.size(); ++i)
            ports.push_back("/dev/vr" + std::to_string(i));
        return ports;
    }
};

bool Holds(const VirtualRadio& radio, const RadioImage& image) {
    // Everything a write sends: 0x0000..0x1FF2.
    return std::equal(image.data(), image.data() + 0x1FF3, radio.memory().data());
}

// Four radios at once: one takes the image, one never answers, one stores a block wrong, and one
// is still writing when the user cancels. Each ends on its own, and the failures stop nobody.
TEST(WritePool, EachRadioEndsOnItsOwnAndCancelStopsTheRest) {
    const struct {
        const char* name;
        const char* faults;
        bool gated;
        BatchResult result;
        const char* says;
        bool holdsImage;
    } cases[] = {
        {"good", "", false, BatchResult::Verified, "", true},
        {"silent", "silent", false, BatchResult::WriteFailed, "Communication Error", false},
        // Block 40 holds the start of channel 20.
        {"corrupting", "corrupt-write:40", false, BatchResult::VerifyFailed,
         "1 difference: channel 20, Rx Frequency: wrote", false},
        {"cancelled", "", true, BatchResult::Cancelled, "cancelled", false},
    };
    PoolRig rig;
    for (const auto& c : cases) {
        auto r = std::make_unique<Radio>();
        r->radio = VirtualRadio(PatternImage(7), Faults(c.faults));
        r->gated = c.gated;
        rig.radios.push_back(std::move(r));
    }
    RadioImage image;
    ASSERT_TRUE(LoadChannelFile(RADIO_RESOURCES "/demo.dat", image).ok);
    WritePool pool(rig.Hooks());
    Recorder recorder;
    std::atomic<int> finished = 0;
    // Once the other three have ended and the last is in the middle of its write, the user
    // cancels; only then may the last go on.
    recorder.onFinished = [&](const BatchRadio&) {
        if (++finished == 3) {
            rig.gate.reached.Await();
            pool.Cancel();
            rig.gate.open.Raise();
        }
    };
    const std::vector<BatchRadio> results =
        pool.Run(rig.Ports(), image, BatchOptions{true, false}, recorder);

    ASSERT_EQ(results.size(), std::size(cases));
    ASSERT_EQ(recorder.order.size(), std::size(cases));
    EXPECT_EQ(recorder.order.back(), 3u);  // the cancelled one ended last
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        const BatchRadio& r = results[i];
        EXPECT_EQ(r.index, i);
        EXPECT_EQ(r.port, "/dev/vr" + std::to_string(i));
        EXPECT_EQ(r.result, c.result) << BatchResultText(r.result) << ": " << r.message;
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
        EXPECT_EQ(Holds(rig.radios[i]->radio, image), c.holdsImage);
        EXPECT_TRUE(rig.radios[i]->closed) << "the port was left open";
        // A radio that answered the handshake told who it is.
        const bool answered = c.result != BatchResult::WriteFailed;
        EXPECT_EQ(HexBytes(r.identity), answered ? "56 52 41 44 49 4F 01 00" : "");
    }
    EXPECT_EQ(results[2].differences, results[2].message);
    EXPECT_TRUE(results[0].message.empty());
}

// Backing up first, writing without verify, and a read-back that fails: what each leaves on the
// radio and reports.
TEST(WritePool, BackupFirstKeepsTheRadioBeforeWritingIt) {
    const struct {
        const char* name;
        const char* faults;
        bool backupFirst;
        bool backupFails;
        bool verify;
        BatchResult result;
        const char* says;
        bool written;
    } cases[] = {
        {"kept, then written", "", true, false, true, BatchResult::Verified, "", true},
        {"kept, written unverified", "", true, false, false, BatchResult::Written, "", true},
        {"backup not saved", "", true, true, true, BatchResult::WriteFailed,
         "the backup could not be saved, nothing was written: disk full", false},
        {"radio not read", "short-reply:3", true, false, true, BatchResult::WriteFailed,
         "reading the radio before writing failed, nothing was written: Program Interrupt", false},
        // Written, then not confirmed: the radio may well hold the image, so no write failure.
        {"read-back fails", "short-reply:5", false, false, true, BatchResult::VerifyFailed,
         "The write is complete; reading it back to verify failed.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PoolRig rig;
        rig.radios.push_back(std::make_unique<Radio>());
        rig.radios[0]->radio = VirtualRadio(PatternImage(9), Faults(c.faults));
        rig.backups.assign(1, {});
        rig.backupFails = c.backupFails;
        WritePool pool(rig.Hooks());
        Recorder recorder;
        const RadioImage image = PatternImage(4);
        const auto results =
            pool.Run(rig.Ports(), image, BatchOptions{c.verify, c.backupFirst}, recorder);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].result, c.result) << results[0].message;
        EXPECT_NE(results[0].message.find(c.says), std::string::npos) << results[0].message;
        EXPECT_EQ(Holds(rig.radios[0]->radio, image), c.written);
        const bool backedUp = c.backupFirst && c.written;
        EXPECT_EQ(results[0].backupPath, backedUp ? "backup-of-/dev/vr0" : "");
        if (backedUp) {
            const RadioImage before = PatternImage(9);
            EXPECT_EQ(rig.backups[0], std::string(before.bytes().begin(), before.bytes().end()));
        }
    }
}

}  // namespace
}  // namespace radio::test
