// The desktop in use and the headless desktop that stands in when none is installed.
#include "host/desktop.h"

#include "text/charset.h"

namespace yc::host {
namespace {

class HeadlessDesktop final : public Desktop {
  public:
    MessageAnswer showMessage(const MessageRequest& request) override {
        switch (request.buttons) {
            case MessageButtons::Ok:
            case MessageButtons::OkCancel:
                return MessageAnswer::Ok;
            case MessageButtons::YesNo:
                return MessageAnswer::Yes;
        }
        return MessageAnswer::Ok;
    }
    std::optional<Text> clipboardText() override { return clipboard_; }
    bool setClipboardText(std::string_view text) override {
        clipboard_ = Text(text);
        return true;
    }
    Text chooseSaveFile(const FileDialogRequest&) override { return {}; }
    std::vector<Text> chooseOpenFiles(const FileDialogRequest&) override { return {}; }
    std::optional<Text> askText(const TextRequest&) override { return std::nullopt; }
    void openAddress(std::string_view) override {}
    bool showInFileManager(std::string_view) override { return false; }

  private:
    std::optional<Text> clipboard_;
};

HeadlessDesktop& headless() {
    static HeadlessDesktop instance;
    return instance;
}

Desktop* installed = nullptr;

}  // namespace

Desktop& desktop() {
    return installed != nullptr ? *installed : headless();
}

void installDesktop(Desktop* d) {
    installed = d;
}

const Text& defaultMessageCaption() {
    return YC_GBK("信息：");
}

void tell(const Text& message) {
    MessageRequest request;
    request.text = message;
    desktop().showMessage(request);
}

}  // namespace yc::host
