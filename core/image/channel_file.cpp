#include "core/image/channel_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/image/atomic_file.h"

namespace radio {

namespace {
std::string ByteCount(std::uintmax_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}
}  // namespace

Status LoadChannelFile(const std::string& path, RadioImage& image, std::uintmax_t* fileSize) {
    // Only the image's worth is read: anything past it is ignored, however large the file.
    std::string data;
    std::uintmax_t size = 0;
    if (Status read = ReadRegularFilePrefix(path, kImageSize, data, size); !read) return read;
    if (data.size() < kImageSize) {
        return Status::Error("'" + path + "' is not a channel file: it holds " +
                             ByteCount(data.size()) + ", a channel file holds " +
                             std::to_string(kImageSize) + ".");
    }
    std::copy_n(reinterpret_cast<const std::uint8_t*>(data.data()), kImageSize, image.data());
    if (fileSize) *fileSize = std::max<std::uintmax_t>(size, kImageSize);
    return Status::Ok();
}

Status SaveChannelFile(const std::string& path, const RadioImage& image,
                       const FileStamp* unchangedSince) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return WriteFileAtomically(path, bytes, SaveChecks{unchangedSince});
}

std::string LongerFileNote(const std::string& path, std::uintmax_t fileSize, bool saving) {
    const std::string rest = ByteCount(fileSize - std::min<std::uintmax_t>(fileSize, kImageSize));
    return "'" + path + "' holds " + ByteCount(fileSize) + "; only its first " +
           std::to_string(kImageSize) + " are the channel image, and " +
           (saving ? "saving it cuts off the " + rest + " after them."
                   : "the " + rest + " after them are left out here.");
}

std::uintmax_t LongerThanImage(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return 0;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    return !ec && size > kImageSize ? size : 0;
}

}  // namespace radio
