#include "service/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <limits>
#include <mutex>

namespace {

// No document of the service refers to anything outside itself: every external entity or DTD is refused.
xmlParserInputPtr refuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void initializeLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternalEntity);
    });
}

QString fromXmlText(const xmlChar* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

// The attribute's value as written. A reference to an entity declared in the document stays as the
// reference text: expanding it is how an entity bomb explodes.
QString attributeValue(const xmlAttr* attribute) {
    QString value;
    for (const xmlNode* part = attribute->children; part; part = part->next) {
        if (part->type == XML_TEXT_NODE)
            value += fromXmlText(part->content);
        else if (part->type == XML_ENTITY_REF_NODE)
            value += QLatin1Char('&') + fromXmlText(part->name) + QLatin1Char(';');
    }
    return value;
}

QVariantMap attributesOf(const xmlNode* element) {
    QVariantMap attributes;
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next)
        attributes.insert(fromXmlText(attribute->name), attributeValue(attribute));
    return attributes;
}

// The next node in document order, or null after the last. Only elements are entered: the children of an
// entity reference are the entity's own shared content.
const xmlNode* nextInDocumentOrder(const xmlNode* node) {
    if (node->type == XML_ELEMENT_NODE && node->children)
        return node->children;
    while (node && node->type != XML_DOCUMENT_NODE) {
        if (node->next)
            return node->next;
        node = node->parent;
    }
    return nullptr;
}

} // namespace

void XmlDocument::Deleter::operator()(_xmlDoc* document) const {
    xmlFreeDoc(document);
}

XmlDocument::XmlDocument(_xmlDoc* document)
    : m_document(document) {}

std::optional<XmlDocument> XmlDocument::parse(const QByteArray& utf8Text) {
    if (utf8Text.size() > std::numeric_limits<int>::max())
        return std::nullopt; // beyond what libxml2 reads from memory
    initializeLibxml();
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(),
                                                                         xmlFreeParserCtxt);
    if (!context)
        return std::nullopt;
    // Deliberately without XML_PARSE_NOENT, XML_PARSE_DTDLOAD, XML_PARSE_DTDATTR and XML_PARSE_HUGE:
    // entities stay unexpanded and libxml2's limits on entity amplification stay in force.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr document = xmlCtxtReadMemory(context.get(), utf8Text.constData(), int(utf8Text.size()), nullptr,
                                           "UTF-8", options);
    if (!document)
        return std::nullopt;
    XmlDocument result(document);
    if (!context->wellFormed || !xmlDocGetRootElement(document))
        return std::nullopt;
    return result;
}

QList<QVariantMap> XmlDocument::attributesOfElementsNamed(const QString& name) const {
    const QByteArray wanted = name.toUtf8();
    QList<QVariantMap> records;
    const xmlNode* root = xmlDocGetRootElement(m_document.get());
    for (const xmlNode* node = root; node; node = nextInDocumentOrder(node)) {
        if (node->type == XML_ELEMENT_NODE && !node->ns &&
            wanted == reinterpret_cast<const char*>(node->name))
            records.append(attributesOf(node));
    }
    return records;
}
