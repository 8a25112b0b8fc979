#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A failure the simulated service produces on demand for one operation, to show how the app copes.
struct SimulatedFault {
    enum class Kind {
        None,
        ServiceError,  // the operation is refused with an `error` element
        SoapFault,     // HTTP 500 with a SOAP fault
        HtmlError,     // HTTP 500 with a web server's HTML error page
        Garbage,       // a body that is neither XML nor JSON
        Delay,         // the normal answer, after delayMs
        DropConnection // the connection is closed without an answer
    };

    Kind kind = Kind::None;
    int delayMs = 0;

    static SimulatedFault delay(int milliseconds) { return {Kind::Delay, milliseconds}; }

    // The names used by the admin interface and the command line: "service-error", "soap-fault",
    // "http-500", "garbage", "delay", "drop" and "none".
    static std::optional<Kind> kindFromName(const QString& name);
    static QString nameOf(Kind kind);
    static QStringList names();
};
