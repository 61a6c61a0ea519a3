#pragma once

#include <optional>

#include "core/config/ini_file.h"
#include "core/formats/image_check.h"
#include "core/image/radio_image.h"

namespace radio {

// A warning when the image's band-limit bytes (0x1FF0-0x1FF2) are not the band its type and
// band indexes (0x1FD6, 0x1FD7) choose in the configuration: the radio limits itself by the
// bytes, the program shows the choice, and the two then disagree. Nothing when the
// configuration has no valid band text for the choice (start-up warns about those), or when
// the bytes are all 0xFF, an image never given a band.
std::optional<Finding> CheckBandBytes(const RadioImage& image, const CIniFile& ini);

}  // namespace radio
