#pragma once

#include <QByteArray>

// One HTTP answer of the simulated service.
struct SimulatedAnswer {
    int status = 200;
    QByteArray contentType;
    QByteArray body;

    static SimulatedAnswer xml(const QByteArray& body, int status = 200) {
        return {status, QByteArrayLiteral("text/xml; charset=utf-8"), body};
    }
    static SimulatedAnswer json(const QByteArray& body) {
        return {200, QByteArrayLiteral("application/json; charset=utf-8"), body};
    }
    static SimulatedAnswer text(const QByteArray& body, int status = 200) {
        return {status, QByteArrayLiteral("text/plain; charset=utf-8"), body};
    }
};
