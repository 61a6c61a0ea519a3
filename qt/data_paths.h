#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/config/install_layout.h"

namespace radio {

// The install layout of core/config/install_layout.h applied to this run: the folder of the
// running executable and the user's configuration folder of this platform.

// Which Program.ini the run reads, and where a change is saved.
ConfigLocation LocateProgramConfig();

// A file the programs ship (help page, demo image, picture): beside the executable, then in
// the installation's share/radio-programmer; empty when neither has it.
QString FindDataFile(const QString& name);

// The folders searched for shipped files, in that order (for the stock lists' folder).
std::vector<std::string> DataFolders();

}  // namespace radio
