#include "tests/support/TestHome.h"

#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "service/RedireServer.h"
#include "storage/Database.h"

namespace {
// Everything that keeps state under the documents directory starts over on the new one.
void forgetSharedState() {
    RedireServer::resetSharedServer();
    Database::resetShared();
    UserDefaults::resetStandardUserDefaults();
}
} // namespace

TestHome::TestHome() {
    Paths::setDocumentsDirectory(m_directory.path());
    forgetSharedState();
}

TestHome::~TestHome() {
    forgetSharedState();
    Paths::setDocumentsDirectory({});
}
