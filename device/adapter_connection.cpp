#include "device/adapter_connection.h"

void AdapterConnection::reconnectIfLost()
{
    if (current_ != nullptr) return;
    AdapterAccess access = reopen_ ? reopen_() : AdapterAccess{};
    if (access.status == OpenStatus::NotFound) throw AdapterGone(NotFoundText);
    if (access.status == OpenStatus::InUse) throw AdapterGone(inUseText(access.holder));
    if (access.status == OpenStatus::NoPermission || access.transport == nullptr)
        throw AdapterGone(NoPermissionText);
    current_ = std::move(access.transport);
}

int AdapterConnection::controlRequest(std::uint8_t requestType, std::uint8_t request,
                                      std::uint16_t value, std::uint16_t index,
                                      std::uint8_t* data, int length, int timeoutMs)
{
    reconnectIfLost();
    const int result =
        current_->controlRequest(requestType, request, value, index, data, length, timeoutMs);
    if (result == DeviceGoneResult) {
        // The handle of a device that is gone is of no more use; it is
        // dropped, not closed, like every handle of this program.
        current_.reset();
        throw AdapterGone(LostText);
    }
    return result;
}

std::string inUseText(const std::string& holder)
{
    return "The DV Brisel (Relavox) is in use by another program" +
           (holder.empty() ? std::string() : ", " + holder) +
           ".\n\nNothing was sent to it. Try again when that program has finished.";
}
