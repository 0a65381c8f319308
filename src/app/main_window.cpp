// The main window's handlers and its side of the query run.
#include "app/main_window.h"

#include <QCoreApplication>
#include <QTimer>
#include <string>
#include <utility>

#include "app/banner_art.h"
#include "app/input_dialog.h"
#include "app/main_window_description.h"
#include "host/desktop.h"
#include "host/event_pump.h"
#include "host/program_files.h"
#include "query/registrar_endpoint.h"
#include "query/result_writer.h"
#include "query/run_captions.h"
#include "text/charset.h"
#include "ui/context_menu.h"
#include "ui/control_state_adapter.h"
#include "ui/report_list_model.h"

namespace yc::app {
namespace {

using host::tell;
using ui::ControlEvent;

// True for OK or Yes.
bool askUser(const Text& message, host::MessageButtons buttons = host::MessageButtons::OkCancel) {
    host::MessageRequest request;
    request.text = message;
    request.buttons = buttons;
    request.systemModal = true;
    const host::MessageAnswer answer = host::desktop().showMessage(request);
    return answer == host::MessageAnswer::Ok || answer == host::MessageAnswer::Yes;
}

const Text& resultsFileFilter() {
    return YC_GBK("txt文件|*.txt|csv文件|*.csv|全部文件|*.*");
}

}  // namespace

MainWindow::Controls MainWindow::Controls::of(const ui::Window& w) {
    return {.startButton = w.control(YC_GBK("按钮开始查询")),
            .listButton = w.control(YC_GBK("按钮输入域名列表")),
            .report = w.control(YC_GBK("超级列表框")),
            .autoSave = w.control(YC_GBK("选择框查询时自动保存")),
            .autoSavePath = w.control(YC_GBK("按钮自动保存路径")),
            .filterAll = w.control(YC_GBK("单选框全部")),
            .filterFree = w.control(YC_GBK("单选框未注册")),
            .filterTaken = w.control(YC_GBK("单选框已注册")),
            .logo = w.control(YC_GBK("图片翎杉软件")),
            .homepageIcon = w.control(YC_GBK("图片软件主页")),
            .contactIcon = w.control(YC_GBK("图片联系方式")),
            .advertIcon = w.control(YC_GBK("图片框广告")),
            .homepageLink = w.control(YC_GBK("链接软件主页")),
            .advertLink = w.control(YC_GBK("链接广告")),
            .contactLink = w.control(YC_GBK("链接联系方式"))};
}

MainWindow::MainWindow(AppState& state, query::BatchChecker& checker)
    : state_(state),
      window_(std::make_unique<ui::Window>(mainWindowDescription())),
      controls_(Controls::of(*window_)),
      run_(*this, checker, state.stopRequested) {
    setUpBanner();
    bindEvents();
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpBanner() {
    controls_.logo.setPicture(drawLogo());
    controls_.homepageIcon.setPicture(drawHomeIcon());
    controls_.contactIcon.setPicture(drawContactIcon());
    controls_.advertIcon.setPicture(drawAdvertIcon());
    controls_.homepageLink.setAddress(host::homepageAddress(state_.programFolder));
    controls_.advertLink.setAddress(host::homepageAddress(state_.programFolder));
}

void MainWindow::bindEvents() {
    ui::Window& w = *window_;
    w.onCreated([this] {
        ui::saveRestoreRealisedWindow(state_.settings, *window_, true,
                                      {.windowName = window_->name()});
        applyAutoSaveRule();
    });
    w.onCloseRequested([this] { return onCloseRequested(); });
    w.bind(YC_GBK("按钮输入域名列表"), ControlEvent::Clicked, [this] { editDomainList(); });
    w.bind(YC_GBK("按钮开始查询"), ControlEvent::Clicked, [this] { onStartClicked(); });
    w.bind(YC_GBK("按钮保存查询结果"), ControlEvent::Clicked, [this] { saveResults(); });
    w.bind(YC_GBK("选择框查询时自动保存"), ControlEvent::Clicked, [this] { applyAutoSaveRule(); });
    w.bind(YC_GBK("按钮自动保存路径"), ControlEvent::Clicked, [this] { chooseAutoSavePath(); });
    w.bind(YC_GBK("按钮自动保存路径"), ControlEvent::RightButtonPressed,
           [this] { showAutoSaveFile(); });
    w.bind(YC_GBK("超级列表框"), ControlEvent::DoubleClicked, [this] { openRegistrarPage(); });
    w.bind(YC_GBK("时钟官网"), ControlEvent::Tick, [this] { slideLogo(); });
    ui::installContextMenu(
        controls_.report.widget(),
        {{YC_GBK("复制选中的域名"), [this] { copyNames(selectedRows()); }},
         {YC_GBK("复制全部可注册域名"), [this] { copyNames(freeRows()); }},
         {YC_GBK("复制全部"), [this] { copyAllLines(); }},
         {YC_GBK("重新查询选中的域名"), [this] { run_.recheckRows(selectedRows()); }}});
    const auto openLinkOf = [](const ui::Control& link) {
        return [&link] { host::desktop().openAddress(link.address()); };
    };
    w.bind(YC_GBK("图片翎杉软件"), ControlEvent::Clicked, openLinkOf(controls_.homepageLink));
    w.bind(YC_GBK("图片软件主页"), ControlEvent::Clicked, openLinkOf(controls_.homepageLink));
    w.bind(YC_GBK("图片联系方式"), ControlEvent::Clicked, openLinkOf(controls_.contactLink));
}

void MainWindow::show() {
    window_->show();
}

void MainWindow::applyAutoSaveRule() {
    const bool on = controls_.autoSave.checked();
    controls_.autoSavePath.setDisabled(!on);
}

void MainWindow::slideLogo() {
    ui::Control& logo = controls_.logo;
    if (logoMovingLeft_) {
        logo.setLeft(logo.left() - 1);
        if (logo.left() < 20) {
            logoMovingLeft_ = false;
        }
        return;
    }
    logo.setLeft(logo.left() + 1);
    if (logo.left() + logo.width() > controls_.homepageLink.left() - 20) {
        logoMovingLeft_ = true;
    }
}

void MainWindow::openRegistrarPage() {
    const Text host = query::registrarHostOf(state_.registrarEndpoint);
    if (controls_.report.currentSelection() < 0 || host.empty()) {
        return;
    }
    host::desktop().openAddress("http://" + host + Text(query::kBulkCheckPath));
}

void MainWindow::onStartClicked() {
    const bool starting = !run_.running();
    if (starting && !state_.sourceProblem.empty()) {
        tell(state_.sourceProblem);
        return;
    }
    // Without an endpoint a run could only list every name as taken.
    if (starting && state_.source == registry::AnswerSource::Registrar &&
        state_.registrarEndpoint.empty()) {
        tell(YC_GBK("尚未设置查询地址，无法开始查询。\r\n\r\n"
                    "请在设置文件（GBK 编码）\r\n") +
             state_.settingsPath +
             YC_GBK("\r\n中加入以下两行（网址为注册商批量查询表单的完整网址）：\r\n\r\n"
                    "[连接]\r\n"
                    "查询地址=https://注册商域名/domain/bulkregister_submit.php\r\n\r\n"
                    "或用命令行参数启动：yuchaling --registrar 查询地址；"
                    "想先看看效果，可用 yuchaling --demo 启动演示模式。"));
        return;
    }
    if (starting && state_.demoMode && !demoNoticeShown_) {
        demoNoticeShown_ = true;
        const bool registries = state_.source == registry::AnswerSource::Registry;
        tell((registries ? YC_GBK("演示模式：本次查询由程序内置的本机模拟注册局回答")
                         : YC_GBK("演示模式：本次查询由程序内置的本机模拟注册商回答")) +
             YC_GBK("，结果并非真实的注册情况。\r\n"
                    "模拟规则：域名第一段以数字 7 结尾即为可注册（如 abc7.com、7.cn），"
                    "其余均为不可注册。"));
    }
    run_.onStartClicked();
}

std::vector<std::size_t> MainWindow::selectedRows() const {
    return controls_.report.selectedRows();
}

std::vector<std::size_t> MainWindow::freeRows() {
    const query::ReportRows& list = rows();
    std::vector<std::size_t> free;
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (list.iconIndex(row) == query::kIconFree) {
            free.push_back(row);
        }
    }
    return free;
}

void MainWindow::copyNames(const std::vector<std::size_t>& which) {
    const query::ReportRows& list = rows();
    Text names;
    for (const std::size_t row : which) {
        names.append(list.cell(row, query::kColumnName)).append("\r\n");
    }
    copyText(names);
}

void MainWindow::copyAllLines() {
    const query::ReportRows& list = rows();
    const query::ExportFilter everyRow{true, false, false};
    Text lines;
    for (std::size_t row = 0; row < list.count(); ++row) {
        lines += query::ResultLine(list, row, everyRow);
    }
    copyText(lines);
}

void MainWindow::copyText(const Text& text) {
    if (text.empty()) {
        tell(YC_GBK("没有可复制的域名。"));
        return;
    }
    if (!host::desktop().setClipboardText(text)) {
        tell(YC_GBK("无法写入剪贴板。"));
    }
}

void MainWindow::editDomainList() {
    ui::Control& button = controls_.listButton;
    Text list = button.tag();
    InputDialogArguments arguments;
    arguments.initialText = list;
    arguments.prompt = YC_GBK("输入域名列表，一行一个");
    arguments.output = &list;
    if (ShowInputDialog(state_, arguments)) {
        button.setTag(list);
    }
}

const Text& MainWindow::dataFolder() const {
    return state_.dataFolder.empty() ? state_.programFolder : state_.dataFolder;
}

Text MainWindow::autoSavePath() const {
    const Text& chosen = controls_.autoSavePath.tag();
    return chosen.empty() ? host::defaultAutoSavePath(dataFolder()) : chosen;
}

void MainWindow::saveResults() {
    host::FileDialogRequest request;
    request.title = YC_GBK("选择一个保存查询结果的文件地址：");
    request.filter = resultsFileFilter();
    const Text path = host::desktop().chooseSaveFile(request);
    if (path.empty()) {
        return;
    }
    query::ResultWriter file(path, query::ExportForm(path));
    if (!file.isOpen()) {
        tell(YC_GBK("无法保存，请检查这个路径：") + path);
        return;
    }
    file.writeHeader();
    const query::ReportRows& list = rows();
    for (std::size_t row = 0; row < list.count(); ++row) {
        host::processPendingEvents();
        // A nested handler may have emptied the list meanwhile.
        if (row >= list.count()) {
            break;
        }
        file.writeRow(list, row, exportFilter());
    }
    if (!file.close()) {
        tell(YC_GBK("保存失败：") + path + YC_GBK("（") + file.error() + YC_GBK("）"));
        return;
    }
    tell(YC_GBK("保存OK！"));
}

void MainWindow::chooseAutoSavePath() {
    ui::Control& button = controls_.autoSavePath;
    host::FileDialogRequest request;
    request.title =
        YC_GBK("选择一个在查询时自动保存的文件地址（你也可以查询好后再保存查询结果）：");
    request.filter = resultsFileFilter();
    // With no path chosen yet, the dialog opens where the default file lives.
    request.initialFolder = button.tag().empty() ? dataFolder() : button.tag();
    const Text path = host::desktop().chooseSaveFile(request);
    if (!path.empty()) {
        button.setTag(path);
    }
}

void MainWindow::showAutoSaveFile() {
    host::desktop().showInFileManager(autoSavePath());
}

bool MainWindow::onCloseRequested() {
    if (run_.running()) {
        // The run unwinds first (its exchange may be waiting on the network); runFinished()
        // then closes the window.
        closeAfterRun_ = true;
        run_.requestStop();
        return false;
    }
    saveState();
    QCoreApplication::quit();
    return true;
}

void MainWindow::saveState() {
    ui::saveRestoreRealisedWindow(state_.settings, *window_, false,
                                  {.windowName = window_->name()});
}

void MainWindow::endSession() {
    // A close during a run waits for the run to unwind; the session may not wait that long.
    if (run_.running()) {
        saveState();
    }
    window_->requestClose();
}

Text MainWindow::listText() {
    return controls_.listButton.tag();
}

std::optional<Text> MainWindow::clipboardText() {
    return host::desktop().clipboardText();
}

void MainWindow::runStarted(std::string_view /*list*/, std::size_t total) {
    controls_.startButton.setCaption(query::startedCaption(total));
}

void MainWindow::batchDone(const query::RunProgress& progress) {
    controls_.startButton.setCaption(query::progressCaption(progress));
}

void MainWindow::runStopping() {
    controls_.startButton.setCaption(query::stoppingCaption());
}

void MainWindow::runIdle() {
    controls_.startButton.setCaption(query::idleCaption());
}

query::ReportRows& MainWindow::rows() {
    return controls_.report.listModel()->rows();
}

query::ExportFilter MainWindow::exportFilter() {
    return {controls_.filterAll.checked(), controls_.filterFree.checked(),
            controls_.filterTaken.checked()};
}

query::AutoSaveChoice MainWindow::autoSave() {
    return {controls_.autoSave.checked(), autoSavePath()};
}

bool MainWindow::retryAfterRefusal() {
    return askUser(YC_GBK(
        "可能查询过多已经被限制，建议更换下IP，如需继续采集请点击确定按钮，或者取消按钮退出"));
}

bool MainWindow::retryAfterFailure() {
    return askUser(YC_GBK("查询失败，可能是网络问题，如需重试请点击确定按钮，或者取消按钮退出"));
}

void MainWindow::autoSaveUnavailable(const Text& path, const Text& reason) {
    tell(YC_GBK("本次查询不会自动保存：无法打开文件 ") + path + YC_GBK("（") + reason +
         YC_GBK("）"));
}

void MainWindow::autoSaveIncomplete(const Text& path, const Text& reason) {
    tell(YC_GBK("自动保存文件未能完整写入：") + path + YC_GBK("（") + reason +
         YC_GBK("）。请用“保存查询结果”另存本次结果。"));
}

void MainWindow::runFinished() {
    controls_.report.listModel()->publish();
    if (closeAfterRun_) {
        // Closed once the run's handler has returned, when the run no longer counts as active.
        QTimer::singleShot(0, window_->widget(), [this] { window_->requestClose(); });
        return;
    }
    tell(YC_GBK("查询完成！"));
    offerUncheckedNames();
}

void MainWindow::namesUnchecked(query::UncheckedNames names) {
    unchecked_ = std::move(names);
}

void MainWindow::offerUncheckedNames() {
    const query::UncheckedNames names = std::exchange(unchecked_, {});
    if (names.empty()) {
        return;
    }
    // They have no row: without this the list would look complete while it is not.
    const bool copy = askUser(YC_GBK("有 ") + std::to_string(names.size()) +
                                  YC_GBK(" 个域名无法查询，没有列入结果（没有可询问的注册局，"
                                         "或不是有效的域名）。\r\n\r\n"
                                         "要把这些域名和原因复制到剪贴板吗？"),
                              host::MessageButtons::YesNo);
    if (copy) {
        Text lines;
        for (const query::UncheckedName& name : names) {
            lines.append(name.name).append("\t").append(name.reason).append("\r\n");
        }
        copyText(lines);
    }
}

}  // namespace yc::app
