#include "core/image/channel_file.h"

#include <algorithm>

#include "core/image/atomic_file.h"

namespace radio {

namespace {
std::string ByteCount(std::size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }
}  // namespace

Status LoadChannelFile(const std::string& path, RadioImage& image) {
    // Only the image's worth is read: anything past it is ignored, however large the file.
    std::string data;
    if (Status read = ReadFilePrefix(path, kImageSize, data); !read) return read;
    if (data.size() < kImageSize) {
        return Status::Error("'" + path + "' is not a channel file: it holds " +
                             ByteCount(data.size()) + ", a channel file holds " +
                             std::to_string(kImageSize) + ".");
    }
    std::copy_n(reinterpret_cast<const std::uint8_t*>(data.data()), kImageSize, image.data());
    return Status::Ok();
}

Status SaveChannelFile(const std::string& path, const RadioImage& image) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return WriteFileAtomically(path, bytes);
}

}  // namespace radio
