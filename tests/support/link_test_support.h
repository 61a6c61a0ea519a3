#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "core/link/radio_link.h"
#include "core/link/serial_port.h"
#include "core/link/virtual_radio.h"

namespace radio::test {

// Time that only moves when someone sleeps: a silent radio's timeouts cost nothing.
class FakeClock : public Clock {
  public:
    void SleepMs(int ms) override { m_now += ms > 0 ? ms : 0; }
    std::int64_t NowMs() const override { return m_now; }

  private:
    std::int64_t m_now = 1'000'000;
};

// Records what the link reports; answers Retry/Cancel from a script (Cancel once it runs out)
// and can request cancel once the progress reaches a given position.
class RecordingObserver : public LinkObserver {
  public:
    std::deque<bool> retryAnswers;
    int cancelAtProgress = -1;
    bool cancelAlways = false;

    int asks = 0;
    std::vector<int> askedIds;
    std::vector<int> messageIds;
    std::vector<std::string> messageTexts;
    std::vector<std::string> details;
    int range = -1;
    int progress = 0;
    int progressCalls = 0;
    bool progressInOrder = true;

    bool CancelRequested() override {
        return cancelAlways || (cancelAtProgress >= 0 && progress >= cancelAtProgress);
    }
    void SetProgressRange(int maximum) override { range = maximum; }
    void SetProgress(int position) override {
        progressInOrder = progressInOrder && position == progress + 1;
        progress = position;
        ++progressCalls;
    }
    bool AskRetry(int messageId, const std::string&) override {
        ++asks;
        askedIds.push_back(messageId);
        if (retryAnswers.empty()) return false;
        const bool retry = retryAnswers.front();
        retryAnswers.pop_front();
        return retry;
    }
    void ShowMessage(int messageId, const std::string& text, const std::string& detail) override {
        messageIds.push_back(messageId);
        messageTexts.push_back(text);
        details.push_back(detail);
    }
};

// An image whose every byte differs from its neighbours, so misplaced blocks show.
inline RadioImage PatternImage(int seed) {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + i / 256 + seed) & 0xFF);
    }
    return image;
}

inline int CountFrames(const std::vector<Frame>& log, FrameKind kind) {
    int n = 0;
    for (const Frame& f : log) n += f.kind == kind;
    return n;
}

}  // namespace radio::test
