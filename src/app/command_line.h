// The window program's command line: what to run with, or whether to print help, the version or
// a usage error instead. Qt's own options (-platform NAME, ...) are accepted and left to Qt.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "registry/registry_source.h"
#include "text/gbk_text.h"

namespace yc::app {

struct WindowOptions {
    std::optional<Text> registrar{};  ///< --registrar URL: the bulk-check form's full address
    std::optional<Text> caFile{};     ///< --ca-file PATH: an extra trusted CA file
    bool demo = false;                ///< --demo: ask the demo registrar started in the program
    /// --demo-if-unconfigured: the demo, unless a registrar is given or configured.
    bool demoIfUnconfigured = false;
    std::optional<registry::AnswerSource> source{};  ///< --source registrar|registry
    std::optional<Text> services{};  ///< --services FILE: the registry services table
    std::optional<int> parallel{};   ///< --parallel N: RDAP lookups at once per host
    std::optional<Text> proxy{};     ///< --proxy PROXY
};

struct ParsedCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    WindowOptions options;
    QString error;  ///< one line, for Action::Error
};

/// `arguments` starts with the program's name.
ParsedCommandLine parseWindowCommandLine(const QStringList& arguments);

/// The text --help prints.
QString windowUsage();

}  // namespace yc::app
