// Where the program's own files are: its folder, the folders it writes its settings and its
// default auto-save file and its cache to, and the files shipped with it (the help page that
// serves as the homepage, the registry services table).
#pragma once

#include <filesystem>

#include "text/gbk_text.h"

namespace yc::host {

/// The folder of the running executable, without a trailing separator.
Text programFolder();

/// The folders the program writes to.
struct ProgramFiles {
    /// Holds the settings file (and the byte-mode settings folder beside it).
    Text settingsFolder;
    /// Holds the default auto-save file.
    Text dataFolder;
};

/// A portable copy — the settings file already lies beside the executable, or the executable is
/// not in an installed binary folder (the build tree, an unpacked folder) — keeps both in its
/// portableFolder(). An installed copy keeps its settings in $XDG_CONFIG_HOME/yuchaling
/// (~/.config/yuchaling) and its data in $XDG_DATA_HOME/yuchaling (~/.local/share/yuchaling),
/// created when missing, and never writes into the binary folder; only when no user folder can be
/// named at all (neither the XDG variable nor HOME) does it fall back to the portable rule.
ProgramFiles programFiles(const Text& programFolder, const Text& settingsFileName);

/// A portable copy's folder: the program folder while it is writable, otherwise the user's
/// configuration folder for this program, created when missing.
Text portableFolder(const Text& programFolder);

/// The folder + "/查询结果.txt".
Text defaultAutoSavePath(const Text& folder);

/// A file shipped with the program (`name` relative to the data folder): beside the executable
/// when run from the build tree or an unpacked folder, or in the installed data folder; empty
/// when neither holds it.
std::filesystem::path bundledFile(const Text& folder, const std::filesystem::path& name);

/// The program's cache folder, $XDG_CACHE_HOME/yuchaling (~/.cache/yuchaling), created when
/// missing; empty when it cannot be named or created.
std::filesystem::path userCacheFolder();

/// The bundled help page as a file address: beside the executable when run from the build tree,
/// or in the installed data folder.
Text homepageAddress(const Text& folder);

}  // namespace yc::host
