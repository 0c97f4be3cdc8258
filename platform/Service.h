#pragma once

// One replaceable instance per platform service. Code reaches a service through
// platform::service<T>() (or the named accessors in Services.h); tests put a double in
// place for a scope with ScopedService. Without an override the Linux implementation
// is used, created on first use.

namespace platform {

template <class T>
T& defaultService();  // specialised next to each Linux implementation

template <class T>
struct ServiceSlot {
    static inline T* current = nullptr;
};

template <class T>
T& service()
{
    if (T* s = ServiceSlot<T>::current)
        return *s;
    return defaultService<T>();
}

// Installs `replacement` until the end of the scope, then restores what was there.
template <class T>
class ScopedService {
public:
    explicit ScopedService(T& replacement) : m_previous(ServiceSlot<T>::current)
    {
        ServiceSlot<T>::current = &replacement;
    }
    ~ScopedService() { ServiceSlot<T>::current = m_previous; }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    T* m_previous;
};

// For installing a service for the whole run (the application's message boxes).
template <class T>
T* installService(T* replacement)
{
    T* previous = ServiceSlot<T>::current;
    ServiceSlot<T>::current = replacement;
    return previous;
}

}  // namespace platform
