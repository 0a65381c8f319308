// The window program's own command-line options (Qt takes its options first).
#pragma once

#include <QStringList>
#include <optional>

#include "text/gbk_text.h"

namespace yc::app {

struct WindowOptions {
    std::optional<Text> registrar;  ///< --registrar URL: the bulk-check form's full address
    std::optional<Text> caFile;     ///< --ca-file PATH: an extra trusted CA file
};

WindowOptions parseWindowOptions(const QStringList& arguments);

}  // namespace yc::app
