#include "platform/DebugLog.h"

#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

namespace DebugLog {

namespace {
QMutex& logMutex() {
    static QMutex mutex;
    return mutex;
}
Capture* activeCapture = nullptr;
} // namespace

void write(const QString& line) {
    QMutexLocker locker(&logMutex());
    if (activeCapture) {
        activeCapture->m_lines.append(line);
        return;
    }
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

Capture::Capture() {
    QMutexLocker locker(&logMutex());
    m_previous = activeCapture;
    activeCapture = this;
}

Capture::~Capture() {
    QMutexLocker locker(&logMutex());
    activeCapture = m_previous;
}

QStringList Capture::lines() const {
    QMutexLocker locker(&logMutex());
    return m_lines;
}

bool Capture::contains(const QString& line) const {
    return lines().contains(line);
}

void Capture::clear() {
    QMutexLocker locker(&logMutex());
    m_lines.clear();
}

} // namespace DebugLog
