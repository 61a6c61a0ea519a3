#pragma once

#include <string>

#include "core/image/radio_image.h"
#include "core/image/status.h"

namespace radio {

// A channel file (.dat) is the raw 8192-byte image, no header. Shorter files (0 bytes
// included) are rejected and leave `image` untouched; longer files load their first 8192 bytes.
Status LoadChannelFile(const std::string& path, RadioImage& image);

// Saves atomically: a failed save leaves the previous file as it was.
Status SaveChannelFile(const std::string& path, const RadioImage& image);

}  // namespace radio
