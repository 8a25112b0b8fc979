#include "sim/RatingCall.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

// Numbers are signed by their decimal digits, so they are read back without a fraction or exponent.
QString textOf(const QJsonValue& value) {
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const qint64 integer = value.toInteger();
        return double(integer) == value.toDouble() ? QString::number(integer)
                                                   : QString::number(value.toDouble());
    }
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return {};
}

} // namespace

QStringList RatingCall::values() const {
    QStringList result;
    for (const auto& parameter : parameters)
        result.append(parameter.second);
    return result;
}

std::optional<QString> RatingCall::value(const QString& name) const {
    for (const auto& parameter : parameters) {
        if (parameter.first == name)
            return parameter.second;
    }
    return std::nullopt;
}

std::optional<RatingCall> RatingCall::fromPath(const QString& encodedPath, QString* error) {
    QStringList segments = encodedPath.split(QLatin1Char('/'));
    if (!segments.isEmpty() && segments.first().isEmpty())
        segments.removeFirst();
    if (segments.isEmpty() || segments.first().isEmpty() || segments.size() % 2 != 1) {
        *error = QStringLiteral("the path must be /<Operation> followed by name and value pairs");
        return std::nullopt;
    }
    RatingCall call;
    call.operation = QUrl::fromPercentEncoding(segments.first().toUtf8());
    for (qsizetype index = 1; index < segments.size(); index += 2) {
        const QString name = QUrl::fromPercentEncoding(segments.at(index).toUtf8());
        const QString value = QUrl::fromPercentEncoding(segments.at(index + 1).toUtf8());
        if (name == QLatin1String("Signature"))
            call.signature = value;
        else
            call.parameters.append({name, value});
    }
    return call;
}

std::optional<RatingCall> RatingCall::fromJson(const QString& operation, const QStringList& names,
                                               const QByteArray& body, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("the body must be a JSON object");
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    RatingCall call;
    call.operation = operation;
    for (const QString& name : names) {
        if (object.contains(name))
            call.parameters.append({name, textOf(object.value(name))});
    }
    if (object.contains(QStringLiteral("Signature")))
        call.signature = textOf(object.value(QStringLiteral("Signature")));
    return call;
}
