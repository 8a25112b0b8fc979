#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// One call of the rating interface: its operation and named values in the order they are signed.
struct RatingCall {
    QString operation;
    QList<QPair<QString, QString>> parameters;
    std::optional<QString> signature;

    QStringList values() const;
    std::optional<QString> value(const QString& name) const;

    // From the percent-encoded path below the base address: "/<Op>/<Name>/<value>/.../Signature/<sig>".
    static std::optional<RatingCall> fromPath(const QString& encodedPath, QString* error);
    // RateProduct's JSON body; its members are put in the order given by names.
    static std::optional<RatingCall> fromJson(const QString& operation, const QStringList& names,
                                              const QByteArray& body, QString* error);
};
