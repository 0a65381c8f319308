#include "app/program.h"

#include "app/program_files.h"
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
    // A second instance cannot hold the file; it then works on its own copy of the settings.
    state_.settings.Bind(settingsPath(state_.settingsFolder), 0);

    // The registrar settings are read here and never written: the store keeps them as they are.
    state_.settings.SetSection(YC_GBK("连接"));
    state_.registrarEndpoint =
        options.registrar.value_or(state_.settings.ReadText(YC_GBK("查询地址")));
    const Text caFile = options.caFile.value_or(state_.settings.ReadText(YC_GBK("证书文件")));
    if (!caFile.empty()) {
        http::setExtraCaFile(text::toSystemPath(caFile).string());
    }

    checker_ = std::make_unique<query::RegistrarExchange>(state_.registrarEndpoint);
    window_ = std::make_unique<MainWindow>(state_, *checker_);
}

Program::~Program() {
    window_.reset();
    state_.settings.Destroy();
}

}  // namespace yc::app
