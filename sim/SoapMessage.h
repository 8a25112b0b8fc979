#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// One SOAP 1.1 call as the service receives it: the operation element's name and namespace and its child
// elements in order, with their text decoded.
struct SoapCall {
    QString operation;
    QString namespaceUri;
    QList<QPair<QString, QString>> parameters; // "Signature" not included
    std::optional<QString> signature;

    QStringList values() const;
    std::optional<QString> value(const QString& name) const;

    // Nothing when the body is not an envelope holding one operation element; *error says why.
    static std::optional<SoapCall> parse(const QByteArray& body, QString* error);
};

// The service's answers, as whole SOAP 1.1 documents in UTF-8.
namespace SoapAnswer {

// The result element holds the text as it is: either escaped plain text (see plainText) or payload markup.
QByteArray result(const QString& operation, const QString& serviceNamespace, const QString& resultContent);
QString plainText(const QString& text);
// A refusal of the service: an `error` element inside the operation's result.
QByteArray serviceError(const QString& operation, const QString& serviceNamespace, int id,
                        const QString& message);
// The markup of an `error` element alone, as the rating interface answers a refused call.
QString errorElement(int id, const QString& message);
QByteArray fault(const QString& code, const QString& text);

} // namespace SoapAnswer
