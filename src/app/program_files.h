// Where the program's own files are: its folder, the default auto-save file and the bundled help
// page that serves as the homepage.
#pragma once

#include "text/gbk_text.h"

namespace yc::app {

/// The folder of the running executable, without a trailing separator.
Text programFolder();

/// The program folder + "/查询结果.txt".
Text defaultAutoSavePath(const Text& folder);

/// The bundled help page as a file address: beside the executable when run from the build tree,
/// or in the installed share folder.
Text homepageAddress(const Text& folder);

}  // namespace yc::app
