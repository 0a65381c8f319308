// The desktop services on Qt: message boxes, the clipboard, file dialogs, the browser and the
// file manager.
#pragma once

#include <QPointer>
#include <QWidget>

#include "host/desktop.h"

namespace yc::ui {

class QtDesktop final : public host::Desktop {
  public:
    /// Installs itself as the process's desktop for its lifetime.
    QtDesktop();
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    /// The window file dialogs are modal to.
    void setDialogOwner(QWidget* owner) { owner_ = owner; }

    host::MessageAnswer showMessage(const host::MessageRequest& request) override;
    std::optional<Text> clipboardText() override;
    bool setClipboardText(std::string_view text) override;
    Text chooseSaveFile(const host::FileDialogRequest& request) override;
    std::vector<Text> chooseOpenFiles(const host::FileDialogRequest& request) override;
    std::optional<Text> askText(const host::TextRequest& request) override;
    void openAddress(std::string_view address) override;
    bool showInFileManager(std::string_view path) override;
    host::ScreenSize screenSize() override;

  private:
    QPointer<QWidget> owner_;
};

/// "label|pattern|label|pattern" as Qt's "label (pattern);;label (pattern)" list.
QStringList qtFileFilters(std::string_view filter);

}  // namespace yc::ui
