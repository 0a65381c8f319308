// The input dialog's behaviour: preparing it from the request, its layout, its helper buttons
// and OK / Cancel.
#include "app/input_dialog.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "app/input_dialog_description.h"
#include "host/desktop.h"
#include "host/event_pump.h"
#include "query/name_expansion.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/system_path.h"
#include "ui/context_menu.h"
#include "ui/window.h"

namespace yc::app {
namespace {

using ui::ControlEvent;

constexpr int kDefaultMargin = 5;
constexpr int kPromptRowHeight = 12;
constexpr int kPromptCharWidth = 6;
// Requested sizes and margins are held to what a screen can show, so that no sum overflows.
constexpr int kMaxExtent = 32767;
constexpr std::size_t kMaxPromptRows = 1 << 20;

ui::Window* current = nullptr;

// The file's bytes up to its first zero byte; empty when it cannot be read. Reading stops at the
// zero byte, so a binary file (or an endless device) costs no more than its text part.
Text readTextFile(std::string_view gbkPath) {
    std::ifstream in(text::toSystemPath(gbkPath), std::ios::binary);
    Text bytes;
    std::getline(in, bytes, '\0');
    return bytes;
}

host::MessageAnswer ask(const Text& message, host::MessageButtons buttons) {
    host::MessageRequest request;
    request.text = message;
    request.caption = YC_GBK("翎杉：");
    request.buttons = buttons;
    request.icon = host::MessageIcon::Information;
    request.systemModal = true;
    return host::desktop().showMessage(request);
}

class InputDialog {
  public:
    InputDialog(AppState& state, QWidget* owner)
        : request_(state.inputDialogRequest),
          result_(state.inputDialogResult),
          window_(inputDialogDescription(), owner),
          prompt_(control("编辑框提示")),
          body_(control("编辑框正文")),
          okButton_(control("按钮确定")),
          cancelButton_(control("按钮取消")),
          fileButton_(control("按钮文件")),
          fileNameButton_(control("按钮文件名")),
          buttonBar_(control("外形框")) {
        prompt_.setBackground(std::nullopt);
        window_.onCreated([this] { prepare(); });
        window_.onResized([this] { layout(); });
        window_.onCloseRequested([this] { return confirmDiscard(); });
        bind("按钮确定", [this] { accept(); });
        bind("按钮取消", [this] { window_.destroy(); });
        bind("按钮恢复", [this] { restore(); });
        bind("按钮清空", [this] { body_.setContent(""); });
        bind("按钮粘贴",
             [this] { body_.setContent(host::desktop().clipboardText().value_or("")); });
        bind("按钮文件", [this] { importFiles(true); });
        bind("按钮文件名", [this] { importFiles(false); });
    }

    void run() {
        current = &window_;
        window_.showModal();
        current = nullptr;
    }

  private:
    ui::Control& control(const char* utf8Name) const {
        return window_.control(text::utf8ToGbk(utf8Name));
    }
    void bind(const char* utf8Name, std::function<void()> handler) {
        window_.bind(text::utf8ToGbk(utf8Name), ControlEvent::Clicked, std::move(handler));
    }

    void prepare() {
        const InputDialogRequest& r = request_;
        fileButton_.setVisible(r.fileButtons == 1 || r.fileButtons == 3);
        fileNameButton_.setVisible(r.fileButtons == 2 || r.fileButtons == 3);
        prompt_.setContent(r.prompt);
        window_.setTitle(r.title);
        body_.setContent(r.initialText);
        body_.setReadOnly(r.bodyInputMode == 1);
        if (r.displayOnly) {
            okButton_.setVisible(false);
            buttonBar_.setVisible(false);
            body_.setBackground(std::nullopt);
            body_.setReadOnly(true);
            cancelButton_.setCaption(YC_GBK("关闭(&G)"));
            cancelButton_.setDefaultButton(true);
            prompt_.setBold(true);
        }
        if (r.bothScrollBars) {
            body_.setBothScrollBars(true);
        }
        if (!r.displayOnly && r.bodyInputMode != 1) {
            ui::installContextMenu(body_.widget(),
                                   {{YC_GBK("按后缀展开…"), [this] { expandBySuffixes(); }}});
        }
        result_ = {};
        // The body as the box holds it: the box keeps lines apart by CR LF, so an initial text
        // with bare line feeds reads back changed although nobody touched it.
        loadedBody_ = body_.content();
        margin_ = r.margin < 1 ? kDefaultMargin : std::min(r.margin, kMaxExtent);

        int width = window_.width();
        int height = window_.height();
        if (r.bodyWidth != 0) {
            width =
                window_.width() - window_.clientWidth() + clampExtent(r.bodyWidth) + 2 * margin_;
        }
        if (r.bodyHeight != 0) {
            height = window_.height() - window_.clientHeight() + prompt_.height() + 2 * margin_ +
                     clampExtent(r.bodyHeight) + 3 * margin_ + okButton_.height();
        }
        const host::ScreenSize screen = host::desktop().screenSize();
        const int left = static_cast<int>(screen.width / 2.0 - width / 2.0);
        const int top = static_cast<int>((screen.height - 30) / 2.0 - height / 2.0);
        window_.setOuterGeometry(left, top, width, height);
        if (r.maximised) {
            window_.setMaximised(true);
        }
        body_.focus();
    }

    static int clampExtent(int extent) { return std::clamp(extent, -kMaxExtent, kMaxExtent); }

    void layout() {
        const int m = margin_;
        const int clientWidth = window_.clientWidth();
        const int clientHeight = window_.clientHeight();
        const int width = std::max(0, clientWidth - 2 * m);
        const int promptHeight = PromptHeight(request_.prompt, clientWidth - 2 * m);
        prompt_.setGeometry({m, m, width, promptHeight});

        ui::Control& bar = buttonBar_;
        const int bodyTop = m + promptHeight + m;
        const int bodyHeight = std::max(0, clientHeight - bodyTop - bar.height());
        body_.setGeometry({m, bodyTop, width, bodyHeight});
        bar.setGeometry({m, bodyTop + bodyHeight, bar.width(), bar.height()});

        ui::Control& ok = okButton_;
        ui::Control& cancel = cancelButton_;
        const int buttonTop =
            static_cast<int>(bar.top() + bar.height() / 2.0 - cancel.height() / 2.0);
        const int cancelLeft = clientWidth - m - cancel.width();
        cancel.setGeometry({cancelLeft, buttonTop, cancel.width(), cancel.height()});
        ok.setGeometry({cancelLeft - ok.width(), buttonTop, ok.width(), ok.height()});
    }

    bool confirmDiscard() {
        const bool changed = body_.content() != loadedBody_;
        if (changed && !request_.displayOnly &&
            ask(YC_GBK("内容已被改动，是否要放弃？"), host::MessageButtons::YesNo) ==
                host::MessageAnswer::Yes) {
            return false;
        }
        return true;
    }

    void accept() {
        const Text text = body_.content();
        // Untouched, the caller gets back exactly what it passed in.
        result_.text = text == loadedBody_ ? request_.initialText : text;
        result_.accepted = true;
        window_.destroy();
    }

    /// Replaces every bare word of the body by one name per suffix the user asks for, so that
    /// what will be checked is seen and can be edited before OK.
    void expandBySuffixes() {
        host::TextRequest question;
        question.title = YC_GBK("按后缀展开");
        question.prompt = YC_GBK(
            "没有后缀的词（如 hello）按以下后缀各生成一个域名，后缀之间用逗号分隔。\r\n"
            "@cn = com, cn, com.cn, net, top, wang, vip, xyz\r\n"
            "@popular = com, net, org, io, ai, co, app, dev");
        question.suggestions = {"@cn", "@popular", "com,net,cn"};
        const std::optional<Text> answer = host::desktop().askText(question);
        if (!answer) {
            return;
        }
        const auto suffixes = query::ParseSuffixList(*answer);
        if (!suffixes || suffixes->empty()) {
            ask(YC_GBK("无法识别这些后缀：") + *answer, host::MessageButtons::Ok);
            return;
        }
        const Text list = body_.content();
        const query::NameExpansion expansion{*suffixes, {}, {}};
        const std::size_t count = query::ExpandedLineCount(list, expansion);
        if (count > query::kLargeExpansion &&
            ask(YC_GBK("展开后共有 ") + std::to_string(count) + YC_GBK(" 个域名，确定展开吗？"),
                host::MessageButtons::OkCancel) != host::MessageAnswer::Ok) {
            return;
        }
        body_.setContent(query::ExpandNames(list, expansion));
    }

    void restore() {
        if (request_.initialText.empty()) {
            ask(YC_GBK("启动值为空！"), host::MessageButtons::Ok);
            return;
        }
        body_.setContent(request_.initialText);
    }

    void importFiles(bool contents) {
        host::FileDialogRequest dialog;
        dialog.title =
            YC_GBK("选择多个文件，将导入其") + (contents ? YC_GBK("文件内容") : YC_GBK("文件路径"));
        dialog.filter = YC_GBK("文本文本|*.txt;*.text;*.ini;*.htn;*.html|全部文件|*.*");
        const std::vector<Text> paths = host::desktop().chooseOpenFiles(dialog);
        const bool bodyWasEmpty = body_.content().empty();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            Text piece = i == 0 && bodyWasEmpty ? Text() : Text("\r\n");
            piece += contents ? readTextFile(paths[i]) : paths[i];
            body_.appendContent(piece);
            host::processPendingEvents();
            // OK or Cancel may have closed the dialog meanwhile.
            if (!window_.isOpen()) {
                break;
            }
        }
    }

    const InputDialogRequest& request_;
    InputDialogResult& result_;
    ui::Window window_;
    // Found once by name when the dialog is built.
    ui::Control& prompt_;
    ui::Control& body_;
    ui::Control& okButton_;
    ui::Control& cancelButton_;
    ui::Control& fileButton_;
    ui::Control& fileNameButton_;
    ui::Control& buttonBar_;
    int margin_ = kDefaultMargin;
    Text loadedBody_;
};

}  // namespace

int PromptHeight(std::string_view prompt, int width) {
    const std::size_t perRow = static_cast<std::size_t>(std::max(1, width / kPromptCharWidth));
    std::size_t rows = 0;
    for (const Text& piece : text::split(prompt, "\r\n")) {
        rows += std::max<std::size_t>(1, (piece.size() + perRow - 1) / perRow);
    }
    return static_cast<int>(std::min(rows, kMaxPromptRows)) * kPromptRowHeight;
}

ui::Window* openInputDialog() {
    return current;
}

bool ShowInputDialog(AppState& state, const InputDialogArguments& arguments) {
    if (current != nullptr) {
        return false;
    }
    const bool wantsOutput = arguments.output != nullptr;
    InputDialogRequest& r = state.inputDialogRequest;
    r = {};
    if (arguments.prompt) {
        r.prompt = !arguments.prompt->empty()
                       ? *arguments.prompt
                       : (wantsOutput ? YC_GBK("请输入数据：") : YC_GBK("以下为信息详情："));
    }
    r.title = arguments.title.value_or(Text());
    if (r.title.empty()) {
        r.title = wantsOutput ? YC_GBK("输入：") : YC_GBK("信息：");
    }
    r.initialText = arguments.initialText.value_or(Text());
    r.displayOnly = !wantsOutput;
    r.bodyInputMode = arguments.bodyInputMode.value_or(0);
    r.maximised = arguments.maximised.value_or(false);
    r.bodyWidth = arguments.bodyWidth.value_or(0);
    r.bodyHeight = arguments.bodyHeight.value_or(0);
    r.bothScrollBars = arguments.bothScrollBars.value_or(false);
    r.margin = arguments.margin.value_or(0);
    r.fileButtons = arguments.fileButtons.value_or(0);

    QWidget* owner = arguments.owner != nullptr && arguments.owner->isOpen()
                         ? arguments.owner->widget()
                         : nullptr;
    InputDialog(state, owner).run();
    if (!state.inputDialogResult.accepted) {
        return false;
    }
    if (wantsOutput) {
        *arguments.output = state.inputDialogResult.text;
    }
    return true;
}

}  // namespace yc::app
