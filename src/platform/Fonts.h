#pragma once
// The designed font families ("黑体", "Tahoma", "MS Sans Serif") stand for
// installed faces with the same role: a CJK sans-serif for "黑体", plain
// sans-serif faces for the Latin ones, each with the other kind after it for
// the characters it lacks. A font names the installed faces themselves, so that
// Qt finds the first one at once instead of first searching the whole font
// configuration for a family that is not there.

#include <QFont>
#include <QString>
#include <QStringList>

namespace platform {

// The installed families tried for `designedFamily`, in order; any other
// family stands for itself.
QStringList familiesStandingFor(const QString& designedFamily);

// The designed family at a character height in pixels.
QFont designedFont(const QString& family, int characterHeight);

}  // namespace platform
