#pragma once

#include "platform/Error.h"
#include "platform/UrlConnection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// Turns one call of the Redire service into a signed HTTP request for its SOAP or its rating interface,
// and reads the parts of a SOAP answer every caller needs. Parameter values are texts or integers; an
// integer takes part as its decimal digits, an absent value as the empty text.
class RedireManager {
public:
    RedireManager() = delete;

    // The first 10 hex digits of the MD5 of all values' texts followed by the shared secret.
    static QString signatureForParametersArray(const QVariantList& values);

    // A SOAP POST of the operation; nothing when the lists differ in length.
    static std::optional<UrlRequest>
    buildRequestForWebservice(const QString& operation, const QStringList& keys, const QVariantList& values);
    // A GET of the rating interface, or a JSON POST for "RateProduct"; nothing when the lists differ in
    // length.
    static std::optional<UrlRequest> buildRequestForRating(const QString& operation, const QStringList& keys,
                                                           const QVariantList& values);

    // The raw text between "<operationResult>" and "</operationResult>"; empty when either is missing.
    static QString extractResultFrom(const QString& response, const QString& operation);
    // The SOAP fault of the answer (domain: the fault code, code 13, description: the fault text).
    static std::optional<Error> extractFaultFrom(const QString& response);
    // One attribute map per element of that name in no namespace, in document order; nothing when the
    // answer is not XML.
    static std::optional<QList<QVariantMap>> parseXMLFrom(const QString& response,
                                                          const QString& elementName);

    // 32 lower-case hex digits of the MD5 of the text's UTF-8 bytes; a null text for an empty text.
    static QString md5(const QString& text);
    static QString fileNameFromUrlString(const QString& urlString);
};
