#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty documents directory for one test: settings, database and picture cache start empty, and
// the shared objects that keep state there are reopened on it.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return m_directory.path(); }
    QString filePath(const QString& name) const { return m_directory.filePath(name); }

private:
    QTemporaryDir m_directory;
};
