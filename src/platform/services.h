#pragma once
// How the program reaches its operating-system services.
//
// Each service group is an abstract interface in its own header. The build
// supplies one real implementation of each (linux/ or win32/) through a
// specialisation of Default_Service<>; the rest of the program asks for the
// live one with platform::Use<Service>() and never names an OS header.
// A test puts a fake in place for its own length with Scoped_Service.

namespace platform {

template <class Service>
Service& Default_Service();

template <class Service>
struct Service_Slot {
    static inline Service* installed = nullptr;
};

template <class Service>
Service& Use()
{
    if (Service* fake = Service_Slot<Service>::installed)
        return *fake;
    return Default_Service<Service>();
}

template <class Service>
class Scoped_Service {
public:
    explicit Scoped_Service(Service& replacement) : previous_(Service_Slot<Service>::installed)
    {
        Service_Slot<Service>::installed = &replacement;
    }
    ~Scoped_Service() { Service_Slot<Service>::installed = previous_; }
    Scoped_Service(const Scoped_Service&) = delete;
    Scoped_Service& operator=(const Scoped_Service&) = delete;

private:
    Service* previous_;
};

} // namespace platform
