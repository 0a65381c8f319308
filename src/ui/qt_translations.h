// Qt's own texts (dialog buttons, file dialogs, the overwrite question) in Chinese, to match the
// program's.
#pragma once

class QCoreApplication;

namespace yc::ui {

/// Loads Qt's Simplified Chinese translations into `application`; false when they are not
/// installed (the message boxes name their buttons themselves either way).
bool installChineseTranslations(QCoreApplication& application);

}  // namespace yc::ui
