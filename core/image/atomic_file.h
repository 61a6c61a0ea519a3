#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

// Writes `data` to `path` through a temporary file in the same folder and a rename, so the
// file that was there stays whole if anything fails (disk full, no permission, crash).
// A symbolic link is followed to the file it names, also when that file does not exist yet;
// a target that exists and is not a regular file (device, FIFO, directory, socket) is refused,
// because the rename would replace it. Temporary files of earlier saves to the same target
// whose process has died are removed first.
Status WriteFileAtomically(const std::string& path, std::string_view data);

// The path a save to `path` replaces: `path` with every symbolic link followed, dangling or
// not. Fails on a loop of links or a link that cannot be read.
Status ResolveSaveTarget(const std::string& path, std::string& target);

// Removes `.NAME.tmpPID-...` files next to `target` left by saves whose process no longer
// exists; returns how many were removed. Files of live processes (this one included) stay.
int RemoveStaleTempFiles(const std::string& target);

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
