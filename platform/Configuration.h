#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// What the application is shipped with: the service's addresses and secret, the keys of the push,
// analytics and social-network clients, the maker's addresses and the facts of the device it runs as.
// An empty soapEndpoint means "use the built-in simulated service".
struct Configuration {
    QUrl soapEndpoint;
    QUrl ratingBaseUrl;
    QString serviceNamespace = QStringLiteral("http://redire.korvo.example/");
    QString signingSecret = QStringLiteral("k0rv0-s1m-s3cr3");
    QString pushApplicationId = QStringLiteral("KorvoPushApplicationId000000000000000001");
    QString pushClientKey = QStringLiteral("KorvoPushClientKey0000000000000000000001");
    QString analyticsKey = QStringLiteral("KORVOANALYTICSKEY001");
    QString facebookAppId = QStringLiteral("100000000000001");
    QUrl tellAFriendLink = QUrl(QStringLiteral("https://korvo.example/app"));
    QString feedbackAddress = QStringLiteral("app@korvo.example");
    QUrl supportPage = QUrl(QStringLiteral("https://korvo.example/kundeservice"));
    QUrl makerWebSite = QUrl(QStringLiteral("https://apputvikler.example"));
    QUrl providerWebSite = QUrl(QStringLiteral("https://redire.example"));
    QString deviceModel = QStringLiteral("Desktop");
    QString systemVersion = QStringLiteral("7.0");
    int screenHeight = 568;
    bool canSendMail = true; // whether the device has a mail account
    bool canSendText = true; // whether the device can send text messages
    double latitude = 59.9139;
    double longitude = 10.7522;

    bool usesBuiltInService() const { return soapEndpoint.isEmpty(); }

    // Reads a JSON object; keys left out keep their defaults. On failure, *error is one line naming the
    // source, the key and what is wrong.
    static std::optional<Configuration> fromJson(const QByteArray& json, const QString& source,
                                                 QString* error);
    static std::optional<Configuration> fromFile(const QString& path, QString* error);

    // The configuration in force for the whole process.
    static const Configuration& current();
    static void setCurrent(const Configuration& configuration);
};
