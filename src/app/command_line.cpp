// The window program's options, parsed with QCommandLineParser.
#include "app/command_line.h"

#include <QCommandLineParser>

#include "registry/registry_source.h"
#include "ui/gbk_qt.h"

namespace yc::app {
namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption registrar{QStringLiteral("registrar"), QString(), QStringLiteral("URL")};
    QCommandLineOption caFile{QStringLiteral("ca-file"), QString(), QStringLiteral("PATH")};
    QCommandLineOption demo{QStringLiteral("demo")};
    QCommandLineOption demoIfUnconfigured{QStringLiteral("demo-if-unconfigured")};
    QCommandLineOption source{QStringLiteral("source"), QString(), QStringLiteral("SOURCE")};
    QCommandLineOption services{QStringLiteral("services"), QString(), QStringLiteral("FILE")};
    QCommandLineOption parallel{QStringLiteral("parallel"), QString(), QStringLiteral("N")};
    QCommandLineOption proxy{QStringLiteral("proxy"), QString(), QStringLiteral("PROXY")};
};

// Qt's own options, which QApplication takes out of the command line. They are known here so that
// the line can be checked before a display is opened.
void addQtOptions(QCommandLineParser& parser) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "display", "geometry", "name", "title", "visual",
          "session", "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

ParsedCommandLine usageError(ParsedCommandLine& parsed, const QString& error) {
    parsed.action = ParsedCommandLine::Action::Error;
    parsed.error = error;
    return parsed;
}

}  // namespace

QString windowUsage() {
    return QStringLiteral(
        "usage: yuchaling [options]\n"
        "Checks in bulk which domain names are free to register (the window program).\n"
        "\n"
        "  --registrar URL          the registrar's bulk-check form, e.g.\n"
        "                           https://REGISTRAR/domain/bulkregister_submit.php\n"
        "                           (default: [连接] 查询地址 in the settings file)\n"
        "  --ca-file PATH           also trust the CA certificates in PATH for HTTPS\n"
        "                           (default: [连接] 证书文件)\n"
        "  --demo                   ask a local simulated registrar started inside the\n"
        "                           program: a name is free exactly when its first label\n"
        "                           ends in 7 (abc7.com, 7.cn); the answers are not real\n"
        "  --demo-if-unconfigured   the demo, unless a registrar is given or configured\n"
        "                           (or --source registry asks the registries)\n"
        "  --source SOURCE          registrar (the bulk-check form) or registry (the\n"
        "                           registries themselves, over RDAP and WHOIS); default:\n"
        "                           registrar when one is given or configured, else registry\n"
        "  --services FILE          the registry services table to use instead of the\n"
        "                           shipped one (default: [连接] 服务表)\n"
        "  --parallel N             registry lookups at once per RDAP server, 1 to 32\n"
        "                           (default: [连接] 并发, else 4)\n"
        "  --proxy PROXY            [scheme://]host:port (http, https, socks5, socks5h) for\n"
        "                           every request, or env for the proxy environment\n"
        "                           variables (default: [连接] 代理, else none)\n"
        "  -h, --help               print this help and exit\n"
        "  -v, --version            print the version and exit\n"
        "\n"
        "Qt's own options (-platform NAME, ...) are accepted as well.\n");
}

ParsedCommandLine parseWindowCommandLine(const QStringList& arguments) {
    const Options o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.help, o.version, o.registrar, o.caFile, o.demo, o.demoIfUnconfigured,
                       o.source, o.services, o.parallel, o.proxy});
    addQtOptions(parser);
    ParsedCommandLine parsed;
    if (!parser.parse(arguments)) {
        parsed.action = ParsedCommandLine::Action::Error;
        parsed.error = parser.errorText();
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.action = ParsedCommandLine::Action::Error;
        parsed.error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
        return parsed;
    }
    if (parser.isSet(o.help)) {
        parsed.action = ParsedCommandLine::Action::Help;
    } else if (parser.isSet(o.version)) {
        parsed.action = ParsedCommandLine::Action::Version;
    }
    WindowOptions& options = parsed.options;
    if (parser.isSet(o.registrar)) {
        options.registrar = ui::fromQString(parser.value(o.registrar));
    }
    if (parser.isSet(o.caFile)) {
        options.caFile = ui::fromQString(parser.value(o.caFile));
    }
    options.demo = parser.isSet(o.demo);
    options.demoIfUnconfigured = parser.isSet(o.demoIfUnconfigured);
    if (parser.isSet(o.source)) {
        options.source = registry::parseSource(ui::fromQString(parser.value(o.source)));
        if (!options.source) {
            return usageError(parsed, QStringLiteral("--source must be registrar or registry"));
        }
    }
    if (parser.isSet(o.services)) {
        options.services = ui::fromQString(parser.value(o.services));
    }
    if (parser.isSet(o.parallel)) {
        options.parallel = registry::parseParallel(ui::fromQString(parser.value(o.parallel)));
        if (!options.parallel) {
            return usageError(parsed, QStringLiteral("--parallel must be a number from 1 to 32"));
        }
    }
    if (parser.isSet(o.proxy)) {
        options.proxy = ui::fromQString(parser.value(o.proxy));
    }
    return parsed;
}

}  // namespace yc::app
