#include "app/program.h"

#include "app/program_files.h"
#include "demo_registrar.h"
#include "host/desktop.h"
#include "http/ca_file_check.h"
#include "http/request_worker.h"
#include "query/bulk_check.h"
#include "text/charset.h"
#include "text/system_path.h"

namespace yc::app {
namespace {

const Text& programName() {
    return YC_GBK("翎杉·域查灵");
}

Text settingsFileName() {
    return programName() + ".ini";
}

}  // namespace

Text Program::settingsPath(const Text& folder) {
    return folder + "/" + settingsFileName();
}

Program::Program(Text folder, const WindowOptions& options) {
    state_.programName = programName();
    state_.programFolder = std::move(folder);
    const ProgramFiles files = programFiles(state_.programFolder, settingsFileName());
    state_.settingsFolder = files.settingsFolder;
    state_.dataFolder = files.dataFolder;
    state_.settingsPath = settingsPath(state_.settingsFolder);
    // A second instance cannot hold the file; it then works on its own copy of the settings.
    state_.settings.Bind(state_.settingsPath, 0);

    // The registrar settings are read here and never written: the store keeps them as they are.
    state_.settings.SetSection(YC_GBK("连接"));
    state_.registrarEndpoint =
        options.registrar.value_or(state_.settings.ReadText(YC_GBK("查询地址")));
    const Text caFile = options.caFile.value_or(state_.settings.ReadText(YC_GBK("证书文件")));
    if (!caFile.empty()) {
        const std::string path = text::toSystemPath(caFile).string();
        if (const std::string problem = http::CaFileProblem(path); !problem.empty()) {
            host::tell(YC_GBK("证书文件无法使用：") + caFile + YC_GBK("（") +
                       text::utf8ToGbk(problem) + YC_GBK("）"));
        }
        http::setExtraCaFile(path);
    }

    const bool demoUnavailable = !startDemoIfAsked(options);

    checker_ = std::make_unique<query::RegistrarExchange>(state_.registrarEndpoint);
    window_ = std::make_unique<MainWindow>(state_, *checker_);
    if (demoUnavailable) {
        host::tell(YC_GBK("无法启动演示用的本机注册商（没有可用的本机端口）。"));
    }
}

bool Program::startDemoIfAsked(const WindowOptions& options) {
    // The demo address lives only in this process: nothing of it reaches the settings file.
    if (!options.demo && !(options.demoIfUnconfigured && state_.registrarEndpoint.empty())) {
        return true;
    }
    demo_ = std::make_unique<sim::DemoRegistrar>();
    if (!demo_->start()) {
        demo_.reset();
        return false;
    }
    state_.registrarEndpoint = demo_->endpoint();
    state_.demoMode = true;
    return true;
}

Program::~Program() {
    window_.reset();
    state_.settings.Destroy();
    demo_.reset();
}

}  // namespace yc::app
