#pragma once

#include <cstdint>
#include <string>

#include "core/image/radio_image.h"
#include "core/image/status.h"

namespace radio {

// A channel file (.dat) is the raw 8192-byte image, no header. Shorter files (0 bytes
// included) are rejected and leave `image` untouched; longer files load their first 8192 bytes
// and `fileSize` (when given) tells the caller, who must warn before a save cuts the rest off.
// FIFOs, devices and directories are refused at once.
Status LoadChannelFile(const std::string& path, RadioImage& image,
                       std::uintmax_t* fileSize = nullptr);

struct FileStamp;

// Saves atomically: a failed save leaves the previous file as it was. With `unchangedSince`,
// nothing is saved when the file is no longer the one stamped (another program changed it).
Status SaveChannelFile(const std::string& path, const RadioImage& image,
                       const FileStamp* unchangedSince = nullptr);

// The note for a file longer than an image: only its first 8192 bytes are used, and
// (`saving`) a save cuts the rest off, or (not saving) the rest is not looked at.
std::string LongerFileNote(const std::string& path, std::uintmax_t fileSize, bool saving = true);

// The size of the regular file `path` (links followed) when it is longer than an image, else
// 0: saving over such a file would cut it to 8192 bytes.
std::uintmax_t LongerThanImage(const std::string& path);

}  // namespace radio
