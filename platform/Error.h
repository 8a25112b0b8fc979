#pragma once

#include <QString>

// A failure as the service client reports it: where it came from, a number and a text.
struct Error {
    QString domain;
    int code = 0;
    QString description;

    bool operator==(const Error&) const = default;
};
