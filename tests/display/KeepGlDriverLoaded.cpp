// Linked into every test that opens windows on the X display.
//
// Mesa loads its software GL driver when the first GL context is made and unloads it when the
// display closes at exit, just before LeakSanitizer looks. The memory the driver keeps for the
// life of the process then looks leaked, from a module that can no longer be named, so no
// suppression can match it. Loading the driver once more, never to be unloaded, keeps that
// memory reachable from the driver, where it belongs.
#include <dlfcn.h>

namespace {

[[maybe_unused]] const bool driverKept = [] {
#ifdef MESA_SOFTWARE_DRIVER
    return dlopen(MESA_SOFTWARE_DRIVER, RTLD_LAZY | RTLD_NODELETE) != nullptr;
#else
    return false;
#endif
}();

} // namespace
