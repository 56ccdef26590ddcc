#include "device/bus_walk.h"

#include <cerrno>

OpenStatus judgeOpen(bool handleIsNull, int setConfigurationResult)
{
    if (handleIsNull) return OpenStatus::NoPermission;
    if (setConfigurationResult == -EPERM || setConfigurationResult == -EACCES || setConfigurationResult == -EBADF)
        return OpenStatus::NoPermission;
    return OpenStatus::Opened;
}
