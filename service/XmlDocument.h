#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

struct _xmlDoc;

// A parsed XML answer of the service. Parsing never reaches the network or the file system (no external
// entity or DTD is loaded) and refuses entity expansion bombs; safe to use from several threads.
class XmlDocument {
public:
    // Nothing when the text is not a well-formed XML document.
    static std::optional<XmlDocument> parse(const QByteArray& utf8Text);

    // One attribute map (name to value text) per element of that local name in no namespace, at any
    // depth, in document order.
    QList<QVariantMap> attributesOfElementsNamed(const QString& name) const;

private:
    struct Deleter {
        void operator()(_xmlDoc* document) const;
    };
    explicit XmlDocument(_xmlDoc* document);

    std::unique_ptr<_xmlDoc, Deleter> m_document;
};
