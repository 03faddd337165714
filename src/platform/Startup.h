#pragma once
// Start-up that explains itself: whatever keeps the window from opening is
// told in one line, and the program ends with status 1 instead of a crash.

namespace platform {

// Call before the application object is made. Until startupSucceeded(), Qt's
// messages are held back; a fatal one (no display to connect to, no usable
// platform plugin) prints one line saying what failed and ends the program
// with status 1. Afterwards messages pass as usual, except the notice about a
// missing runtime directory, which Qt handles itself.
void installStartupMessageHandler();
void startupSucceeded();

}  // namespace platform
