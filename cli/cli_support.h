#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "core/image/radio_image.h"
#include "core/config/app_config.h"
#include "core/config/ini_file.h"

namespace radio::cli {

// Prints "radioprog: <text>" on the error stream.
void Error(Context& ctx, std::string_view text);
// Prints the problem and the command's usage line; returns kExitUsage.
int UsageError(Context& ctx, std::string_view command, std::string_view problem);

// Flushes the output; a listing that could not be written (full disk, closed pipe) must not
// end with success. Returns the exit status.
int FinishOutput(Context& ctx);

// Loads a channel file; on failure says why and returns false (the caller exits 2).
bool LoadImage(Context& ctx, const std::string& path, RadioImage& image);
// Saves atomically; on failure says why and returns false (the caller exits 1).
bool SaveImage(Context& ctx, const std::string& path, const RadioImage& image);

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
// Case folding of ASCII letters only; other bytes (UTF-8 Chinese) compare exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);
std::string Join(const std::vector<std::string>& items, std::string_view separator);

// A name as the radio stores it: at most `maxLength` characters of 0-9, A-Z, '-', '_', after
// upper-casing. Anything else would be stored as filler and silently cut the name short, so it
// is refused: returns the problem, or nullopt when `name` (upper-cased in place) is fine.
std::optional<std::string> CheckRadioName(std::string& name, std::size_t maxLength);

}  // namespace radio::cli
