#include "finder/StoreAnnotation.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace {

// The leading decimal number of a text: white space before it is skipped, anything after it ignored, and a
// text that does not begin with a number reads as 0. Always with a decimal point, whatever the locale.
double leadingNumber(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    const auto [rest, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

} // namespace

StoreAnnotation::StoreAnnotation(const QVariantMap& store)
    : m_name(store.value(QStringLiteral("name")).toString())
    , m_phone(store.value(QStringLiteral("telephone")).toString())
    , m_address(store.value(QStringLiteral("address")).toString())
    , m_washAvailable(store.value(QStringLiteral("wash")).toString() == QLatin1String("TRUE")) {
    const QStringList parts = store.value(QStringLiteral("location")).toString().split(QLatin1Char(','));
    if (parts.size() == 2)
        m_coordinate = {leadingNumber(parts.at(0)), leadingNumber(parts.at(1))};
}
