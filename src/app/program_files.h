// Where the program's own files are: its folder, the folder it writes its files to, the default
// auto-save file and the bundled help page that serves as the homepage.
#pragma once

#include "text/gbk_text.h"

namespace yc::app {

/// The folder of the running executable, without a trailing separator.
Text programFolder();

/// The folder for the files the program writes (settings, the default auto-save file): the
/// program folder while it is writable, otherwise the user's configuration folder for this program
/// ($XDG_CONFIG_HOME/yuchaling, or ~/.config/yuchaling), created when missing. An installed
/// program's folder belongs to the system, so its files go to the user instead.
Text dataFolder(const Text& programFolder);

/// The folder + "/查询结果.txt".
Text defaultAutoSavePath(const Text& folder);

/// The bundled help page as a file address: beside the executable when run from the build tree,
/// or in the installed share folder.
Text homepageAddress(const Text& folder);

}  // namespace yc::app
