#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

struct FileStamp;

// What a save checks beyond the target itself.
struct SaveChecks {
    // The file as it was read: when the target is no longer that file (another program
    // changed, replaced or removed it since), nothing is saved.
    const FileStamp* unchangedSince = nullptr;
};

// Writes `data` to `path` through a temporary file in the same folder and a rename, so the
// file that was there stays whole if anything fails (disk full, no permission, crash).
// A symbolic link is followed to the file it names, also when that file does not exist yet;
// a target that exists and is not a regular file (device, FIFO, directory, socket) is refused,
// because the rename would replace it. Temporary files of earlier saves to the same target
// whose process has died are removed first. The new file gets the old one's owner, group and
// mode where the process may set them. A file with several names (hard links) is refused:
// the rename would give only this name the new data and leave the others on the old.
Status WriteFileAtomically(const std::string& path, std::string_view data,
                           const SaveChecks& checks = {});

// Writes `data` to `path`, which must not exist yet, neither as a file nor as a link (dangling
// or not): through a temporary file that is given the name with link(), which never replaces
// anything and never follows a link. The file appears whole or not at all. `taken` tells
// that the name existed; nothing was written then.
Status WriteNewFile(const std::string& path, std::string_view data, bool& taken);

// The path a save to `path` replaces: `path` with every symbolic link followed, dangling or
// not. Fails on a loop of links or a link that cannot be read.
Status ResolveSaveTarget(const std::string& path, std::string& target);

// Removes `.NAME.tmpPID-...` files next to `target` left by saves whose process no longer
// exists; returns how many were removed. Files of live processes (this one included) stay.
int RemoveStaleTempFiles(const std::string& target);

// Refuses at once a configuration or settings file that exists and is no regular file (a
// FIFO would block its reader forever), naming the option that chose it: "'/tmp/p' is a named
// pipe (FIFO), not a file; --config needs a file of text". A missing file passes.
Status CheckConfigFile(const std::string& path, std::string_view option);

// Reads a whole file; fails with a message naming the file and the reason.
Status ReadWholeFile(const std::string& path, std::string& out);

// Reads at most `maxBytes` from the start of a file, so that a huge or endless file cannot
// exhaust memory; `out` then holds what the file had, up to that many bytes.
Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out);

// Like ReadFilePrefix, for data files that must be regular files: a FIFO, device, socket or
// directory is refused at once, never waited on. `fileSize` receives the file's whole size.
Status ReadRegularFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out,
                             std::uintmax_t& fileSize);

}  // namespace radio
