#pragma once
// An icon that a control needs only once it shows: looking an icon up in the
// desktop's icon theme reads the theme's index, a cost the first frame of a
// window should not pay for a control that starts hidden.

#include <QAbstractButton>
#include <QStyle>

namespace platform {

// `button` takes its style's standard icon `icon` when it is first shown (or
// at once, if it is visible already).
void setStandardIconWhenShown(QAbstractButton* button, QStyle::StandardPixmap icon);

}  // namespace platform
