// Start-up: the settings, the choice of source (registrar, registries or the demo), the main
// window; and the exit hook.
#include "app/program.h"

#include "demo_registrar.h"
#include "host/desktop.h"
#include "host/program_files.h"
#include "http/ca_file_check.h"
#include "http/proxy_setting.h"
#include "http/request_worker.h"
#include "query/bulk_check.h"
#include "registry/registry_source.h"
#include "registry/whois_lookups.h"
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
    const host::ProgramFiles files = host::programFiles(state_.programFolder, settingsFileName());
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

    const Text proxy = options.proxy.value_or(state_.settings.ReadText(YC_GBK("代理")));
    // A proxy that cannot be used must not turn into a direct connection the user did not want.
    if (const std::string problem = http::proxySettingProblem(proxy); !problem.empty()) {
        state_.sourceProblem = YC_GBK("代理设置无法使用：") + proxy + YC_GBK("（") +
                               text::utf8ToGbk(problem) + YC_GBK("）");
    }
    // Without --source, a registrar given or configured (or the demo's) answers, else the
    // registries themselves.
    const bool demoWanted =
        options.demo || (options.demoIfUnconfigured && state_.registrarEndpoint.empty() &&
                         options.source != registry::AnswerSource::Registry);
    state_.source = options.source.value_or(!state_.registrarEndpoint.empty() || demoWanted
                                                ? registry::AnswerSource::Registrar
                                                : registry::AnswerSource::Registry);
    const bool demoUnavailable = demoWanted && !startDemo();

    if (state_.source == registry::AnswerSource::Registry) {
        openRegistrySource(options, proxy);
    } else {
        auto exchange = std::make_unique<query::RegistrarExchange>(state_.registrarEndpoint);
        exchange->setProxy(proxy);
        // A page that offers nothing may be a changed form or a block page: the user can look.
        exchange->onPageWithoutFreeNames(
            [](const Text& page) { host::desktop().setClipboardText(page); });
        checker_ = std::move(exchange);
    }
    window_ = std::make_unique<MainWindow>(state_, *checker_);
    if (demoUnavailable) {
        host::tell(YC_GBK("无法启动演示用的本机注册商（没有可用的本机端口）。"));
    }
}

bool Program::startDemo() {
    // The demo address lives only in this process: nothing of it reaches the settings file.
    demo_ = std::make_unique<sim::DemoRegistrar>();
    if (!demo_->start()) {
        demo_.reset();
        return false;
    }
    if (state_.source == registry::AnswerSource::Registrar) {
        state_.registrarEndpoint = demo_->endpoint();
    }
    state_.demoMode = true;
    return true;
}

void Program::openRegistrySource(const WindowOptions& options, const Text& proxy) {
    registry::RegistrySourceSettings settings;
    if (demo_) {
        settings.servicesText = demo_->servicesTable();
    }
    const Text services = options.services.value_or(state_.settings.ReadText(YC_GBK("服务表")));
    settings.servicesFile = text::toSystemPath(services);
    settings.bundledFile = host::bundledFile(state_.programFolder, registry::kServicesFileName);
    if (options.parallel) {
        settings.parallel = *options.parallel;
    } else if (const Text parallel = state_.settings.ReadText(YC_GBK("并发")); !parallel.empty()) {
        settings.parallel = registry::parseParallel(parallel).value_or(registry::kDefaultParallel);
    }
    settings.proxy = proxy;
    settings.cacheFolder = host::userCacheFolder();
    registry::RegistrySource source = registry::openRegistrySource(settings);
    if (source.checker) {
        checker_ = std::move(source.checker);
        if (const std::string problem = registry::whoisProxyProblem(proxy); !problem.empty()) {
            host::tell(YC_GBK("经由此代理只能向提供 RDAP 的注册局查询，只有 WHOIS 的后缀"
                              "（如 .cn、.de）将无法查询：") +
                       text::utf8ToGbk(problem));
        }
        return;
    }
    // A run would have no one to ask: the start button says why instead.
    if (state_.sourceProblem.empty()) {
        state_.sourceProblem = YC_GBK("无法向注册局查询：") + text::utf8ToGbk(source.error);
    }
    checker_ = std::make_unique<query::RegistrarExchange>(Text());
}

Program::~Program() {
    window_.reset();
    state_.settings.Destroy();
    demo_.reset();
}

}  // namespace yc::app
