// A desktop whose message-box answers and dialog results are scripted by the test, and which
// records every message it was asked to show.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/desktop.h"

namespace yc::test {

class ScriptedDesktop final : public host::Desktop {
  public:
    /// Installs itself for the lifetime of the object.
    ScriptedDesktop();
    ~ScriptedDesktop() override;
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    host::MessageAnswer showMessage(const host::MessageRequest& request) override;
    std::optional<Text> clipboardText() override { return clipboard; }
    bool setClipboardText(std::string_view text) override;
    Text chooseSaveFile(const host::FileDialogRequest& request) override;
    std::vector<Text> chooseOpenFiles(const host::FileDialogRequest& request) override;
    std::optional<Text> askText(const host::TextRequest& request) override;
    void openAddress(std::string_view address) override { openedAddresses.emplace_back(address); }
    bool showInFileManager(std::string_view path) override;

    /// Answers for the next message boxes, in order; when it runs dry, the first button answers.
    std::deque<host::MessageAnswer> answers;
    /// Called while a message box is "shown", before it answers (to act inside the modal loop).
    std::function<void(const host::MessageRequest&)> onMessage;
    std::deque<Text> saveFileResults;
    std::deque<std::vector<Text>> openFileResults;
    /// Answers for the next text questions, in order; when it runs dry, a question is cancelled.
    std::deque<std::optional<Text>> textAnswers;
    std::vector<host::TextRequest> textQuestions;

    std::vector<host::MessageRequest> messages;
    std::vector<host::FileDialogRequest> dialogs;
    std::vector<Text> openedAddresses;
    std::vector<Text> shownFiles;
    std::optional<Text> clipboard;
    bool clipboardWritable = true;

    /// The texts of the messages shown so far, converted to UTF-8 for readable assertions.
    std::vector<std::string> messageTextsUtf8() const;

    host::ScreenSize screenSize() override { return screen; }
    host::ScreenSize screen{1280, 1024};
};

}  // namespace yc::test
