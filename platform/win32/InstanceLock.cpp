#include "platform/io/InstanceLock.h"

#include "platform/win32/Windows.h"

namespace dd {

InstanceLock::InstanceLock() {
    // Per session: two users' savers on one machine do not exclude each other.
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"Local\\DravelinDidaziScreenSaver");
    if (mutex == nullptr)
        return;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        contested_ = true;
        return;
    }
    mutex_ = mutex;
}

InstanceLock::~InstanceLock() {
    if (mutex_ == nullptr)
        return;
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
}

} // namespace dd
