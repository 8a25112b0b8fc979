#include "sim/SoapMessage.h"

#include <QXmlStreamReader>

namespace {

const QString envelopeNamespace = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString envelopeStart = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">"
    "<soap:Body>");
const QString envelopeEnd = QStringLiteral("</soap:Body></soap:Envelope>");

// Moves the reader to the next start element below the current one; false at the current one's end.
bool nextChild(QXmlStreamReader& reader) {
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            return true;
        if (reader.isEndElement())
            return false;
    }
    return false;
}

} // namespace

QStringList SoapCall::values() const {
    QStringList result;
    for (const auto& parameter : parameters)
        result.append(parameter.second);
    return result;
}

std::optional<QString> SoapCall::value(const QString& name) const {
    for (const auto& parameter : parameters) {
        if (parameter.first == name)
            return parameter.second;
    }
    return std::nullopt;
}

std::optional<SoapCall> SoapCall::parse(const QByteArray& body, QString* error) {
    QXmlStreamReader reader(body);
    SoapCall call;
    const bool envelope = reader.readNextStartElement() && reader.name() == QLatin1String("Envelope") &&
                          reader.namespaceUri() == envelopeNamespace;
    bool inBody = false;
    while (envelope && !inBody && nextChild(reader)) {
        inBody = reader.name() == QLatin1String("Body") && reader.namespaceUri() == envelopeNamespace;
        if (!inBody)
            reader.skipCurrentElement();
    }
    if (inBody && nextChild(reader)) {
        call.operation = reader.name().toString();
        call.namespaceUri = reader.namespaceUri().toString();
        while (nextChild(reader)) {
            const QString name = reader.name().toString();
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (name == QLatin1String("Signature"))
                call.signature = text;
            else
                call.parameters.append({name, text});
        }
    }
    while (!reader.atEnd() && !reader.hasError())
        reader.readNext();
    if (reader.hasError()) {
        *error = QStringLiteral("the request is not well-formed XML (%1)").arg(reader.errorString());
        return std::nullopt;
    }
    if (call.operation.isEmpty()) {
        *error = QStringLiteral("the request holds no SOAP 1.1 envelope with an operation in its body");
        return std::nullopt;
    }
    return call;
}

QByteArray SoapAnswer::result(const QString& operation, const QString& serviceNamespace,
                              const QString& resultContent) {
    const QString text =
        envelopeStart +
        QStringLiteral("<%1Response xmlns=\"%2\"><%1Result>").arg(operation, serviceNamespace) +
        resultContent + QStringLiteral("</%1Result></%1Response>").arg(operation) + envelopeEnd;
    return text.toUtf8();
}

QString SoapAnswer::plainText(const QString& text) {
    return text.toHtmlEscaped();
}

QString SoapAnswer::errorElement(int id, const QString& message) {
    return QStringLiteral(
               "<Errors xmlns=\"\"><error Id=\"%1\" Message=\"%2\" Source=\"Redire.Korvo\"/></Errors>")
        .arg(id)
        .arg(message.toHtmlEscaped());
}

QByteArray SoapAnswer::serviceError(const QString& operation, const QString& serviceNamespace, int id,
                                    const QString& message) {
    return result(operation, serviceNamespace, errorElement(id, message));
}

QByteArray SoapAnswer::fault(const QString& code, const QString& text) {
    return (envelopeStart +
            QStringLiteral("<soap:Fault><faultcode>%1</faultcode><faultstring>%2</faultstring></soap:Fault>")
                .arg(code.toHtmlEscaped(), text.toHtmlEscaped()) +
            envelopeEnd)
        .toUtf8();
}
