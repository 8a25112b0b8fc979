#pragma once

#include "platform/UrlConnection.h"

#include <QByteArray>

#include <memory>

// One transfer in flight and the bytes received for it. Destroying it abandons the transfer.
class ConnectionStorage {
public:
    explicit ConnectionStorage(std::unique_ptr<UrlConnection> connection);
    virtual ~ConnectionStorage();
    ConnectionStorage(const ConnectionStorage&) = delete;
    ConnectionStorage& operator=(const ConnectionStorage&) = delete;

    UrlConnection* conn() const { return m_connection.get(); }
    QByteArray& data() { return m_data; }

private:
    std::unique_ptr<UrlConnection> m_connection;
    QByteArray m_data;
};

// A transfer of the service client, with the request type that chooses how its answer is read.
class RedireConnection : public ConnectionStorage {
public:
    RedireConnection(int type, std::unique_ptr<UrlConnection> connection);

    int type() const { return m_type; }

private:
    int m_type;
};
