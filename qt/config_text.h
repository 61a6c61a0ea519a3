#pragma once

#include <QString>
#include <string>

namespace radio {

// A Program.ini value as text: UTF-8 when the bytes are valid UTF-8, else GBK (older
// installations wrote the Chinese sections in GBK).
QString ConfigText(const std::string& bytes);

// [Setup] AppName as a folder or file name: an empty name or one that is not a plain file name
// gives the fixed default, so nothing named after it lands somewhere unexpected.
QString SafeAppName(const std::string& appNameBytes);

// The settings file outside Windows: "<AppName>.ini" in the user's configuration folder.
// `appNameBytes` is [Setup] AppName as read; an empty name or one that is not a plain file
// name falls back to the fixed default, so the file never lands somewhere unexpected.
QString SettingsFilePath(const std::string& appNameBytes);

}  // namespace radio
