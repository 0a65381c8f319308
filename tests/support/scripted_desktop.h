// A desktop whose message-box answers and dialog results are scripted by the test, and which
// records every message it was asked to show.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/desktop.h"

namespace yc::test {

class ScriptedDesktop final : public ui::Desktop {
  public:
    /// Installs itself for the lifetime of the object.
    ScriptedDesktop();
    ~ScriptedDesktop() override;
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    ui::MessageAnswer showMessage(const ui::MessageRequest& request) override;
    std::optional<Text> clipboardText() override { return clipboard; }
    bool setClipboardText(std::string_view text) override;
    Text chooseSaveFile(const ui::FileDialogRequest& request) override;
    std::vector<Text> chooseOpenFiles(const ui::FileDialogRequest& request) override;
    std::optional<Text> askText(const ui::TextRequest& request) override;
    void openAddress(std::string_view address) override { openedAddresses.emplace_back(address); }
    bool showInFileManager(std::string_view path) override;

    /// Answers for the next message boxes, in order; when it runs dry, the first button answers.
    std::deque<ui::MessageAnswer> answers;
    /// Called while a message box is "shown", before it answers (to act inside the modal loop).
    std::function<void(const ui::MessageRequest&)> onMessage;
    std::deque<Text> saveFileResults;
    std::deque<std::vector<Text>> openFileResults;
    /// Answers for the next text questions, in order; when it runs dry, a question is cancelled.
    std::deque<std::optional<Text>> textAnswers;
    std::vector<ui::TextRequest> textQuestions;

    std::vector<ui::MessageRequest> messages;
    std::vector<ui::FileDialogRequest> dialogs;
    std::vector<Text> openedAddresses;
    std::vector<Text> shownFiles;
    std::optional<Text> clipboard;
    bool clipboardWritable = true;

    /// The texts of the messages shown so far, converted to UTF-8 for readable assertions.
    std::vector<std::string> messageTextsUtf8() const;

    ui::ScreenSize screenSize() override { return screen; }
    ui::ScreenSize screen{1280, 1024};
};

}  // namespace yc::test
