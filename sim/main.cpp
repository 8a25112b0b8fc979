#include "sim/RedireSimulator.h"

#include "platform/Configuration.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // The pictures need fonts, hence a GUI application; it needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("redire-sim"));

    const Configuration defaults;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated Redire coupon service on 127.0.0.1"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free port)."),
                      QStringLiteral("port"), QStringLiteral("0")});
    parser.addOption(
        {QStringLiteral("data"),
         QStringLiteral("Directory of JSON files replacing the built-in ones (coupons.json, news.json, "
                        "stores.json, ratings.json, service.json)."),
         QStringLiteral("dir")});
    parser.addOption({QStringLiteral("namespace"), QStringLiteral("Service namespace."),
                      QStringLiteral("uri"), defaults.serviceNamespace});
    parser.addOption({QStringLiteral("secret"), QStringLiteral("Signing secret."), QStringLiteral("secret"),
                      defaults.signingSecret});
    parser.process(application);

    bool portIsNumber = false;
    const uint port = parser.value(QStringLiteral("port")).toUInt(&portIsNumber);
    if (!portIsNumber || port > 65535) {
        std::fprintf(stderr, "redire-sim: --port must be a number from 0 to 65535\n");
        return 2;
    }
    SimulatorData data = SimulatorData::builtIn();
    if (parser.isSet(QStringLiteral("data"))) {
        QString error;
        const std::optional<SimulatorData> loaded =
            SimulatorData::fromDirectory(parser.value(QStringLiteral("data")), &error);
        if (!loaded) {
            std::fprintf(stderr, "redire-sim: %s\n", qPrintable(error));
            return 2;
        }
        data = *loaded;
    }

    RedireSimulator simulator(data, parser.value(QStringLiteral("namespace")),
                              parser.value(QStringLiteral("secret")));
    if (!simulator.listen(quint16(port))) {
        std::fprintf(stderr, "redire-sim: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    std::printf("SOAP endpoint:   %s\n", qPrintable(simulator.soapEndpoint().toString()));
    std::printf("Rating base URL: %s\n", qPrintable(simulator.ratingBaseUrl().toString()));
    std::printf("Namespace:       %s\n", qPrintable(simulator.serviceNamespace()));
    std::printf("Secret:          %s\n", qPrintable(simulator.signingSecret()));
    std::printf("Admin:           GET %s/admin/codes/<mobile>, POST %s/admin/fault/<Operation>/<mode>, "
                "POST %s/admin/fault/clear\n",
                qPrintable(simulator.baseUrl().toString()), qPrintable(simulator.baseUrl().toString()),
                qPrintable(simulator.baseUrl().toString()));
    std::fflush(stdout);
    return application.exec();
}
