#include "connectionsetup.h"

#include <QByteArray>
#include <QtGlobal>

namespace toolkit {

namespace {
const char *const NoSharedMemory = "QT_XCB_NO_MITSHM";
} // namespace

ConnectionSetup::ConnectionSetup()
    : m_setSharedMemory(!qEnvironmentVariableIsSet(NoSharedMemory))
{
    if (m_setSharedMemory)
        qputenv(NoSharedMemory, "1");
}

ConnectionSetup::~ConnectionSetup()
{
    if (m_setSharedMemory)
        qunsetenv(NoSharedMemory);
}

} // namespace toolkit
