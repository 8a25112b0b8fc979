#include "tests/support/TestHome.h"

#include "platform/Paths.h"
#include "platform/UserDefaults.h"

TestHome::TestHome()
{
    Paths::setDocumentsDirectory(m_directory.path());
    UserDefaults::resetStandardUserDefaults();
}

TestHome::~TestHome()
{
    UserDefaults::resetStandardUserDefaults();
    Paths::setDocumentsDirectory({});
}
