#include "sim/SimulatedFault.h"

#include <QList>
#include <QPair>

namespace {

const QList<QPair<SimulatedFault::Kind, QString>>& kindNames() {
    using Kind = SimulatedFault::Kind;
    static const QList<QPair<Kind, QString>> names = {{Kind::None, QStringLiteral("none")},
                                                      {Kind::ServiceError, QStringLiteral("service-error")},
                                                      {Kind::SoapFault, QStringLiteral("soap-fault")},
                                                      {Kind::HtmlError, QStringLiteral("http-500")},
                                                      {Kind::Garbage, QStringLiteral("garbage")},
                                                      {Kind::Delay, QStringLiteral("delay")},
                                                      {Kind::DropConnection, QStringLiteral("drop")}};
    return names;
}

} // namespace

std::optional<SimulatedFault::Kind> SimulatedFault::kindFromName(const QString& name) {
    for (const auto& [kind, kindName] : kindNames()) {
        if (kindName == name)
            return kind;
    }
    return std::nullopt;
}

QString SimulatedFault::nameOf(Kind kind) {
    for (const auto& [candidate, kindName] : kindNames()) {
        if (candidate == kind)
            return kindName;
    }
    return {};
}

QStringList SimulatedFault::names() {
    QStringList result;
    for (const auto& entry : kindNames())
        result.append(entry.second);
    return result;
}
