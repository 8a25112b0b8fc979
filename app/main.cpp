#include "platform/Configuration.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>

#include <cstdio>

namespace {

QString optionOrEnvironment(const QCommandLineParser& parser, const QString& option, const char* variable) {
    if (parser.isSet(option))
        return parser.value(option);
    return qEnvironmentVariable(variable);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvo Store"));
    QApplication::setOrganizationName(QStringLiteral("Korvo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Korvo Store, the chain's coupon app"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("config"), QStringLiteral("Configuration JSON file (or KORVO_CONFIG)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("home"), QStringLiteral("Documents directory (or KORVO_HOME)."),
                      QStringLiteral("dir")});
    parser.process(application);

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
    const QString home = optionOrEnvironment(parser, QStringLiteral("home"), "KORVO_HOME");
    if (!home.isEmpty())
        Paths::setDocumentsDirectory(home);

    QLabel window(QStringLiteral("Korvo Store"));
    window.setWindowTitle(QStringLiteral("Korvo Store"));
    window.setAlignment(Qt::AlignCenter);
    window.setFixedSize(320, Configuration::current().screenHeight);
    window.show();
    return application.exec();
}
