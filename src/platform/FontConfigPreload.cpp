#include "platform/FontConfigPreload.h"

#include <dlfcn.h>

namespace platform {

FontConfigPreload::FontConfigPreload()
{
    // Qt's font database loads the library with Qt's GUI module; when it is not
    // there, Qt finds its fonts another way and there is nothing to read ahead.
    // FcInit is safe to call from any thread, and once it has run, Qt's own
    // call finds the configuration in place.
    using Init = int (*)();
    if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        reader_ = std::thread([init] { init(); });
}

void FontConfigPreload::wait()
{
    if (reader_.joinable())
        reader_.join();
}

}  // namespace platform
