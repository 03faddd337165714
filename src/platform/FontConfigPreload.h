#pragma once
// The font configuration read on a second thread while the application
// connects to the display. Reading the system's font configuration (every
// file under /etc/fonts) is the largest single cost of the first text the
// program lays out, and connecting to the display mostly waits for the X
// server: the two overlap.

#include <thread>

namespace platform {

class FontConfigPreload {
public:
    // Starts reading, when the font configuration library is loaded.
    FontConfigPreload();
    // Waits for the reading to end; call before the first font is used.
    void wait();
    ~FontConfigPreload() { wait(); }

    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

private:
    std::thread reader_;
};

}  // namespace platform
