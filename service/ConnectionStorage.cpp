#include "service/ConnectionStorage.h"

ConnectionStorage::ConnectionStorage(std::unique_ptr<UrlConnection> connection)
    : m_connection(std::move(connection)) {}

ConnectionStorage::~ConnectionStorage() {
    if (m_connection)
        m_connection->cancel();
}

RedireConnection::RedireConnection(int type, std::unique_ptr<UrlConnection> connection)
    : ConnectionStorage(std::move(connection))
    , m_type(type) {}
