#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace radio {

// Where the programs find the files they ship (Program.ini, help pages, demo image, pictures).
// A build folder or a Windows folder install keeps them beside the executables; an installed
// Linux program keeps them in <prefix>/share/radio-programmer, the executables in <prefix>/bin.

// The folder name under share/ and under the user's configuration folder.
inline constexpr std::string_view kDataFolderName = "radio-programmer";
inline constexpr std::string_view kConfigFileName = "Program.ini";

// What the lookup asks the file system; the real probe is RealFileProbe(), tests answer from
// a table.
class FileProbe {
  public:
    virtual ~FileProbe() = default;
    virtual bool IsFile(const std::string& path) const = 0;
    // True when the program could save `path` (which may not exist yet) the way it saves
    // Program.ini: a temporary file in its folder renamed over it.
    virtual bool CanSave(const std::string& path) const = 0;
};
const FileProbe& RealFileProbe();

// The folders searched for a shipped file, in order: beside the executable, then the shared
// data folder of an installation.
std::vector<std::string> SharedDataFolders(const std::string& binDir);
// The first of SharedDataFolders holding `name`; empty when none does.
std::string FindSharedFile(const std::string& binDir, std::string_view name,
                           const FileProbe& probe);

// Which Program.ini a run reads and where its changes (the Language dialog) go.
struct ConfigLocation {
    std::string readPath;
    std::string savePath;  // readPath, or the user's own copy
};

// The user's own copy: <userConfigDir>/radio-programmer/Program.ini, where userConfigDir is the
// user's configuration folder (~/.config, %LOCALAPPDATA%).
std::string UserConfigPath(const std::string& userConfigDir);

// Program.ini beside the executable is read and written in place when it can be saved (the
// build folder, a portable folder). Otherwise the user's copy holds the changes and, once it
// exists, is what the program reads; until then the copy beside the executable or the
// installation's shared one is read. The shared one is a template of the package and never
// written, not even by an administrator: an upgrade would replace it, and /usr may be
// read-only. With no Program.ini anywhere, one is created beside the executable when that
// folder takes it, else as the user's copy.
ConfigLocation LocateConfig(const std::string& binDir, const std::string& userConfigDir,
                            const FileProbe& probe);

}  // namespace radio
