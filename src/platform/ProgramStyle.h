#pragma once
// The program's look on top of the platform's default style: a visible focus
// frame on push buttons and check boxes, and menu-bar items that show the
// checked and default marks of their actions.

namespace platform {

// Wraps the application's current style; call once the application exists.
void installProgramStyle();

}  // namespace platform
