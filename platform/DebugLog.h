#pragma once

#include <QString>
#include <QStringList>

// The developer's log: one plain text line per event, written to stderr.
// Safe to call from any thread (the embedded simulated service logs from its own thread).
namespace DebugLog {

void write(const QString& line);

// While a Capture exists, lines are collected by it instead of reaching stderr; tests assert on them.
class Capture {
public:
    Capture();
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    QStringList lines() const;
    bool contains(const QString& line) const;
    void clear();

private:
    friend void write(const QString& line);
    QStringList m_lines;
    Capture* m_previous = nullptr;
};

} // namespace DebugLog
