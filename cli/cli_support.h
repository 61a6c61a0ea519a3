#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "core/codec/channel_grid.h"
#include "core/codec/edit_rules.h"
#include "core/config/app_config.h"
#include "core/config/ini_file.h"
#include "core/formats/image_check.h"
#include "core/image/file_lock.h"
#include "core/image/radio_image.h"

namespace radio::cli {

// Prints "radioprog: <text>" on the error stream.
void Error(Context& ctx, std::string_view text);
// Prints the problem and the command's usage line; returns kExitUsage.
int UsageError(Context& ctx, std::string_view command, std::string_view problem);

// Flushes the output; a listing that could not be written (full disk, closed pipe) must not
// end with success. Returns the exit status.
int FinishOutput(Context& ctx);

// Loads a channel file; on failure says why and returns false (the caller exits 2). A file
// longer than an image gets a note on stderr; `fileSize` (when given) receives its size, and
// the note then says a save cuts the rest (callers that only read pass none).
bool LoadImage(Context& ctx, const std::string& path, RadioImage& image,
               std::uintmax_t* fileSize = nullptr);
// A channel file a command changes or replaces: locked from its read to its save, so two
// commands never lose one another's edits, and saved only if no other program changed it in
// between (the stamp).
struct OpenedFile {
    std::string path;
    FileLock lock;
    FileStamp stamp;
    std::uintmax_t size = 0;  // the whole file's size when it was read
};
// Locks `path`, then loads it. Returns kExitOk, or the exit status after saying why:
// kExitRefused while another command holds the file, kExitUsage when it cannot be read.
int OpenForChange(Context& ctx, const std::string& path, RadioImage& image, OpenedFile& file);
// For commands that replace a whole file without reading it (new, read, simulate --save):
// locks `path` and notes what is there now. Returns kExitOk or kExitRefused after saying why.
int LockForReplace(Context& ctx, const std::string& path, OpenedFile& file);
// True when `a` and `b` name one file (the same inode, through links too); both must exist.
bool SameFile(const std::string& a, const std::string& b);
// Says that `output` is also the input `input` and returns true; a command writing there would
// destroy what it reads. "-" (standard input or output) is never a file.
bool RefuseOutputOverInput(Context& ctx, const std::string& output, const std::string& input);
// Removes `flag` from ctx.args wherever it is; true when it was there.
bool TakeFlag(Context& ctx, std::string_view flag);
// A file of `fileSize` bytes is saved over only when that cuts nothing off, or when the user
// said --truncate; otherwise says so and returns false (the caller exits 1).
bool MaySaveOver(Context& ctx, const std::string& path, std::uintmax_t fileSize, bool truncate);
// Saves atomically; on failure says why and returns false (the caller exits 1). With `file`,
// the save happens only while the file is still what was read or found.
bool SaveImage(Context& ctx, const std::string& path, const RadioImage& image,
               const OpenedFile* file = nullptr);
// The end of every grid edit: MaySaveOver, encode `grid` into `image`, SaveImage. Returns the
// exit status; a cell the record cannot hold leaves the file unchanged.
int SaveGrid(Context& ctx, const OpenedFile& file, const ChannelGrid& grid, RadioImage& image,
             bool truncate);

// Reads ctx.configPath into `ini` without ever writing it. A missing file gives an empty
// configuration (every default); a file that exists but cannot be read is an error, and so is
// one that is no regular file (a FIFO is never waited on).
bool LoadConfig(Context& ctx, CIniFile& ini);
// The branding section follows the display language chosen with --lang.
AppConfig DisplayConfig(Language lang);
// The settings file used when --settings is not given.
std::string DefaultSettingsPath(Context& ctx);

// The check before a write: CheckImage, and the band bytes against Program.ini's choice.
std::vector<Finding> CheckWithConfig(Context& ctx, const RadioImage& image);

// A configuration value as UTF-8 text (the file may hold GBK).
std::string ConfigUtf8(const std::string& bytes);

// A non-negative decimal integer, digits only; nullopt otherwise.
std::optional<int> ParseIndex(std::string_view text);
std::string Join(const std::vector<std::string>& items, std::string_view separator);

}  // namespace radio::cli
