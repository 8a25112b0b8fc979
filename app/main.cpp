#include "app/KorvoAppDelegate.h"
#include "app/ScreenshotWalk.h"
#include "platform/Configuration.h"
#include "platform/Paths.h"
#include "sim/EmbeddedRedireService.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

QString optionOrEnvironment(const QCommandLineParser& parser, const QString& option, const char* variable) {
    if (parser.isSet(option))
        return parser.value(option);
    return qEnvironmentVariable(variable);
}

// With no service configured the app brings its own: the simulated service on a free loopback port, on a
// thread of its own so that its delays never hold up the screens.
std::unique_ptr<EmbeddedRedireService> startBuiltInServiceIfNeeded(QString* error) {
    Configuration configuration = Configuration::current();
    if (!configuration.usesBuiltInService())
        return nullptr;
    auto service = std::make_unique<EmbeddedRedireService>(
        SimulatorData::builtIn(), configuration.serviceNamespace, configuration.signingSecret);
    if (!service->start(0, error))
        return nullptr;
    configuration.soapEndpoint = service->soapEndpoint();
    configuration.ratingBaseUrl = service->ratingBaseUrl();
    Configuration::setCurrent(configuration);
    return service;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Korvo Store, the chain's coupon app"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    parser.addOption({QStringLiteral("config"), QStringLiteral("Configuration JSON file (or KORVO_CONFIG)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("home"), QStringLiteral("Documents directory (or KORVO_HOME)."),
                      QStringLiteral("dir")});
    parser.addOption(
        {QStringLiteral("screenshots"),
         QStringLiteral("Walk through every screen on the built-in service in a fresh home and write "
                        "one PNG per screen into the directory."),
         QStringLiteral("dir")});
    // Arguments and configuration are checked before anything else starts, so that a mistake gets one
    // clear line and nothing more.
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "korvo: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    const QString configPath = optionOrEnvironment(parser, QStringLiteral("config"), "KORVO_CONFIG");
    if (!configPath.isEmpty()) {
        QString error;
        const auto configuration = Configuration::fromFile(configPath, &error);
        if (!configuration) {
            std::fprintf(stderr, "korvo: %s\n", qPrintable(error));
            return 2;
        }
        Configuration::setCurrent(*configuration);
    }

    const bool screenshots = parser.isSet(QStringLiteral("screenshots"));
    if (screenshots) {
        Configuration builtIn = Configuration::current();
        builtIn.soapEndpoint.clear();
        builtIn.ratingBaseUrl.clear();
        Configuration::setCurrent(builtIn);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvo Store"));
    QApplication::setApplicationVersion(QStringLiteral(KORVO_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Korvo"));
    QTemporaryDir freshHome;
    const QString home =
        screenshots ? freshHome.path() : optionOrEnvironment(parser, QStringLiteral("home"), "KORVO_HOME");
    if (!home.isEmpty())
        Paths::setDocumentsDirectory(home);

    QString serviceError;
    const std::unique_ptr<EmbeddedRedireService> builtInService = startBuiltInServiceIfNeeded(&serviceError);
    if (!serviceError.isEmpty()) {
        std::fprintf(stderr, "korvo: the built-in coupon service did not start: %s\n",
                     qPrintable(serviceError));
        return 1;
    }

    KorvoAppDelegate delegate;
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &delegate,
                     [&delegate] { delegate.applicationWillTerminate(); });
    delegate.applicationDidFinishLaunching();
    if (screenshots) {
        auto* walk =
            new ScreenshotWalk(delegate, *builtInService, parser.value(QStringLiteral("screenshots")));
        QObject::connect(walk, &ScreenshotWalk::finished, &application, [walk](bool everyScreenReached) {
            for (const QString& path : walk->written())
                std::printf("%s\n", qPrintable(path));
            QCoreApplication::exit(everyScreenReached ? 0 : 1);
        });
        walk->start();
    }
    return application.exec();
}
