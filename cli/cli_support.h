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
// longer than an image gets a note on stderr; `fileSize` (when given) receives its size.
bool LoadImage(Context& ctx, const std::string& path, RadioImage& image,
               std::uintmax_t* fileSize = nullptr);
// Removes `flag` from ctx.args wherever it is; true when it was there.
bool TakeFlag(Context& ctx, std::string_view flag);
// A file loaded with `fileSize` bytes is saved back only when that cuts nothing off, or when
// the user said --truncate; otherwise says so and returns false (the caller exits 1).
bool MaySaveOver(Context& ctx, const std::string& path, std::uintmax_t fileSize, bool truncate);
// Saves atomically; on failure says why and returns false (the caller exits 1).
bool SaveImage(Context& ctx, const std::string& path, const RadioImage& image);
// The end of every grid edit: MaySaveOver, encode `grid` into `image`, SaveImage. Returns the
// exit status; a cell the record cannot hold leaves the file unchanged.
int SaveGrid(Context& ctx, const std::string& path, const ChannelGrid& grid, RadioImage& image,
             std::uintmax_t fileSize, bool truncate);

// Reads ctx.configPath into `ini` without ever writing it. A missing file gives an empty
// configuration (every default); a file that exists but cannot be read is an error.
bool LoadConfig(Context& ctx, CIniFile& ini);
// The branding section follows the display language chosen with --lang.
AppConfig DisplayConfig(Language lang);
// The settings file used when --settings is not given.
std::string DefaultSettingsPath(Context& ctx);

// A configuration value as UTF-8 text (the file may hold GBK).
std::string ConfigUtf8(const std::string& bytes);

// A non-negative decimal integer, digits only; nullopt otherwise.
std::optional<int> ParseIndex(std::string_view text);
std::string Join(const std::vector<std::string>& items, std::string_view separator);

}  // namespace radio::cli
