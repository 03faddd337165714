#pragma once
// The drawing area as screen readers see it: the widget's own interface (its
// name and description, its child controls) followed by the accessible items
// the explorer gives it, the curves and the trace point. A screen reader
// speaks when the focus moves to another object, not when the focused
// object's texts change, so every step the user must hear moves the focus to
// an item.

namespace platform {

class DrawingSurface;

// Installs the factory that gives drawing areas their interface. Call before
// any drawing area's interface is first asked for (its accessible name set,
// say): the first interface made for a widget stays.
void installDrawingAreaAccessibility();

// Tells screen readers that the focus is on the drawing area's focused item
// (or on the area itself).
void announceAccessibleFocus(DrawingSurface& surface);

}  // namespace platform
