#include "platform/Fonts.h"

namespace platform {

QStringList familiesStandingFor(const QString& designedFamily)
{
    const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC", "Droid Sans Fallback"};
    const QStringList latin{"DejaVu Sans", "Liberation Sans", "Noto Sans"};
    if (designedFamily == QString::fromUtf8("黑体"))
        return cjk + latin;
    if (designedFamily == QLatin1String("Tahoma") || designedFamily == QLatin1String("MS Sans Serif"))
        return latin + cjk;
    return {designedFamily};
}

QFont designedFont(const QString& family, int characterHeight)
{
    QFont font(familiesStandingFor(family));
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace platform
