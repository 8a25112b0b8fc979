#include "platform/Configuration.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// Reads one key of the object into a field, or says what is wrong with it.
class Reader {
public:
    Reader(const QJsonObject& object, QString prefix)
        : m_object(object)
        , m_prefix(std::move(prefix)) {}

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    void text(const QString& key, QString& field, const QRegularExpression& form, const QString& expected) {
        if (failed() || !m_object.contains(key))
            return;
        const QJsonValue value = m_object.value(key);
        if (!value.isString() || !form.match(value.toString()).hasMatch())
            return fail(key, expected);
        field = value.toString();
    }

    void url(const QString& key, QUrl& field, const QString& requiredPath = {}) {
        if (failed() || !m_object.contains(key))
            return;
        const QJsonValue value = m_object.value(key);
        const QUrl url(value.toString(), QUrl::StrictMode);
        const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
        if (!value.isString() || !url.isValid() || !web || url.host().isEmpty())
            return fail(key, QStringLiteral("must be an absolute http or https URL"));
        if (!requiredPath.isEmpty() && url.path() != requiredPath)
            return fail(key, QStringLiteral("must be a URL whose path is \"%1\"").arg(requiredPath));
        field = url;
    }

    void number(const QString& key, double& field, double minimum, double maximum) {
        if (failed() || !m_object.contains(key))
            return;
        const QJsonValue value = m_object.value(key);
        if (!value.isDouble() || value.toDouble() < minimum || value.toDouble() > maximum)
            return fail(key, QStringLiteral("must be a number from %1 to %2").arg(minimum).arg(maximum));
        field = value.toDouble();
    }

    void screenHeight(const QString& key, int& field) {
        if (failed() || !m_object.contains(key))
            return;
        const QJsonValue value = m_object.value(key);
        if (!value.isDouble() || (value.toDouble() != 480 && value.toDouble() != 568))
            return fail(key, QStringLiteral("must be 480 or 568"));
        field = value.toInt();
    }

    void boolean(const QString& key, bool& field) {
        if (failed() || !m_object.contains(key))
            return;
        const QJsonValue value = m_object.value(key);
        if (!value.isBool())
            return fail(key, QStringLiteral("must be true or false"));
        field = value.toBool();
    }

    QJsonObject object(const QString& key) {
        if (failed() || !m_object.contains(key))
            return {};
        const QJsonValue value = m_object.value(key);
        if (!value.isObject()) {
            fail(key, QStringLiteral("must be a JSON object"));
            return {};
        }
        return value.toObject();
    }

    // A misspelt key would otherwise be ignored silently, leaving its default in force.
    void onlyKeys(const QStringList& known) {
        for (auto it = m_object.begin(); it != m_object.end() && !failed(); ++it) {
            if (!known.contains(it.key()))
                fail(it.key(), QStringLiteral("unknown key"));
        }
    }

    void fail(const QString& key, const QString& expected) {
        m_error = QStringLiteral("key \"%1%2\": %3").arg(m_prefix, key, expected);
    }

private:
    const QJsonObject& m_object;
    QString m_prefix;
    QString m_error;
};

QRegularExpression exactly(const QString& pattern) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

const QStringList knownKeys = {"soapEndpoint",      "ratingBaseUrl",   "serviceNamespace", "signingSecret",
                               "pushApplicationId", "pushClientKey",   "analyticsKey",     "facebookAppId",
                               "tellAFriendLink",   "feedbackAddress", "supportPage",      "makerWebSite",
                               "providerWebSite",   "device",          "location"};

Configuration currentConfiguration;

} // namespace

std::optional<Configuration> Configuration::fromJson(const QByteArray& json, const QString& source,
                                                     QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("%1: not a JSON object (%2)")
                     .arg(source, parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                               : QStringLiteral("top level"));
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!knownKeys.contains(it.key())) {
            *error = QStringLiteral("%1: key \"%2\": unknown key").arg(source, it.key());
            return std::nullopt;
        }
    }

    Configuration result;
    Reader reader(root, {});
    const QString pushForm = QStringLiteral("must be 40 letters and digits");
    reader.url(QStringLiteral("soapEndpoint"), result.soapEndpoint, QStringLiteral("/Feed5/Korvo.asmx"));
    reader.url(QStringLiteral("ratingBaseUrl"), result.ratingBaseUrl, QStringLiteral("/v1"));
    reader.text(QStringLiteral("serviceNamespace"), result.serviceNamespace,
                exactly(QStringLiteral("[a-zA-Z][a-zA-Z0-9+.-]*:\\S*/")),
                QStringLiteral("must be a URI ending in \"/\""));
    reader.text(QStringLiteral("signingSecret"), result.signingSecret,
                exactly(QStringLiteral("[\\x20-\\x7e]{15}")), QStringLiteral("must be 15 ASCII characters"));
    reader.text(QStringLiteral("pushApplicationId"), result.pushApplicationId,
                exactly(QStringLiteral("[A-Za-z0-9]{40}")), pushForm);
    reader.text(QStringLiteral("pushClientKey"), result.pushClientKey,
                exactly(QStringLiteral("[A-Za-z0-9]{40}")), pushForm);
    reader.text(QStringLiteral("analyticsKey"), result.analyticsKey, exactly(QStringLiteral(".{20}")),
                QStringLiteral("must be 20 characters"));
    reader.text(QStringLiteral("facebookAppId"), result.facebookAppId, exactly(QStringLiteral("[0-9]{15}")),
                QStringLiteral("must be 15 digits"));
    reader.url(QStringLiteral("tellAFriendLink"), result.tellAFriendLink);
    reader.text(QStringLiteral("feedbackAddress"), result.feedbackAddress,
                exactly(QStringLiteral("[^@\\s]+@[^@\\s]+")), QStringLiteral("must be a mail address"));
    reader.url(QStringLiteral("supportPage"), result.supportPage);
    reader.url(QStringLiteral("makerWebSite"), result.makerWebSite);
    reader.url(QStringLiteral("providerWebSite"), result.providerWebSite);

    const QJsonObject device = reader.object(QStringLiteral("device"));
    Reader deviceReader(device, QStringLiteral("device."));
    deviceReader.onlyKeys({QStringLiteral("model"), QStringLiteral("systemVersion"),
                           QStringLiteral("screenHeight"), QStringLiteral("canSendMail"),
                           QStringLiteral("canSendText")});
    deviceReader.text(QStringLiteral("model"), result.deviceModel, exactly(QStringLiteral(".+")),
                      QStringLiteral("must be a non-empty text"));
    deviceReader.text(QStringLiteral("systemVersion"), result.systemVersion,
                      exactly(QStringLiteral("[0-9]+(\\.[0-9]+)*")),
                      QStringLiteral("must be a dotted version such as \"7.0\""));
    deviceReader.screenHeight(QStringLiteral("screenHeight"), result.screenHeight);
    deviceReader.boolean(QStringLiteral("canSendMail"), result.canSendMail);
    deviceReader.boolean(QStringLiteral("canSendText"), result.canSendText);

    const QJsonObject location = reader.object(QStringLiteral("location"));
    Reader locationReader(location, QStringLiteral("location."));
    locationReader.onlyKeys({QStringLiteral("latitude"), QStringLiteral("longitude")});
    locationReader.number(QStringLiteral("latitude"), result.latitude, -90, 90);
    locationReader.number(QStringLiteral("longitude"), result.longitude, -180, 180);

    // The two service addresses and the secret belong together: a real service needs all of them.
    if (!reader.failed() && result.soapEndpoint.isEmpty() != result.ratingBaseUrl.isEmpty())
        reader.fail(result.soapEndpoint.isEmpty() ? QStringLiteral("soapEndpoint")
                                                  : QStringLiteral("ratingBaseUrl"),
                    QStringLiteral("must be given together with the other service address"));

    for (const Reader* part : {&reader, &deviceReader, &locationReader}) {
        if (part->failed()) {
            *error = QStringLiteral("%1: %2").arg(source, part->error());
            return std::nullopt;
        }
    }
    return result;
}

std::optional<Configuration> Configuration::fromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
        return std::nullopt;
    }
    return fromJson(file.readAll(), path, error);
}

const Configuration& Configuration::current() {
    return currentConfiguration;
}

void Configuration::setCurrent(const Configuration& configuration) {
    currentConfiguration = configuration;
}
