#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/image/status.h"

namespace radio {

// Writes `data` to `path` through a temporary file in the same folder and a rename, so the
// file that was there stays whole if anything fails (disk full, no permission, crash).
Status WriteFileAtomically(const std::string& path, std::string_view data);

// Reads a whole file; fails with a message naming the file and the reason.
Status ReadWholeFile(const std::string& path, std::string& out);

// Reads at most `maxBytes` from the start of a file, so that a huge or endless file cannot
// exhaust memory; `out` then holds what the file had, up to that many bytes.
Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& out);

}  // namespace radio
