// The edge between the program's GBK text and Qt's QString.
#pragma once

#include <QString>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::ui {

QString toQString(std::string_view gbk);
Text fromQString(const QString& s);

/// Widgets show lines separated by "\n"; the program keeps them separated by CR LF.
QString toQStringLines(std::string_view gbk);
Text fromQStringLines(const QString& s);

}  // namespace yc::ui
