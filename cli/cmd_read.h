#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "core/image/radio_image.h"
#include "core/link/radio_link.h"

namespace radio::cli {

// radioprog read --port PORT FILE: the whole radio into FILE, written only after a complete read.
int RunRead(Context& ctx);

// Catches SIGINT and SIGTERM (and SIGHUP, a closed terminal, where there is one) while it
// lives, so Ctrl+C can end a transfer or a simulation cleanly instead of killing the process
// with the port open. Blocking reads are interrupted, not restarted, so a prompt ends too.
class InterruptGuard {
  public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
    static bool Raised();

  private:
    struct Saved;  // the handlers to put back, in the platform's own form
    std::unique_ptr<Saved> m_saved;
};

// What read and write take beyond the port and the file.
struct TransferOptions {
    std::optional<std::string> backupDir;  // read: --backup-dir DIR (or "off")
    bool verify = true;                    // write: --no-verify skips the read-back
    bool force = false;                    // write: --force writes despite errors found
    bool truncate = false;                 // read: --truncate may cut a longer FILE
};

// Parses "--port PORT FILE" (also "--port=PORT", in either order) and, when `options` is given,
// the options of the command that fill it; prints the problem and returns false on a usage
// error.
bool ParseTransferArgs(Context& ctx, const char* command, std::string& port, std::string& file,
                       TransferOptions* options = nullptr);

// One connection with progress on stderr, Retry/Cancel asked on the terminal (Cancel without
// one) and Ctrl+C cancelling. Reads replace `image` only when complete; a write with
// `readBack` reads the radio back into it afterwards (see RadioLink::Write), and
// `writeCompleted` tells whether every frame of the write itself was acknowledged and
// `writeStarted` whether it got past the handshake (the radio's memory may have changed).
LinkOutcome RunTerminalTransfer(Context& ctx, const std::string& port, bool write,
                                RadioImage& image, RadioImage* readBack = nullptr,
                                bool* writeCompleted = nullptr, bool* writeStarted = nullptr);

// Exit status of a transfer: 0 done, 1 anything else (the message has been printed).
int TransferExitStatus(LinkOutcome outcome);

}  // namespace radio::cli
