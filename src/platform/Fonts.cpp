#include <QFont>
#include <QStringList>

#include "platform/Application.h"

namespace platform {

// The windows name the families "黑体", "Tahoma" and "MS Sans Serif". Map each
// to installed ones with the same role: a CJK sans-serif for "黑体", and plain
// sans-serif faces for the Latin ones (with a CJK fallback for Chinese texts).
void installFontSubstitutions()
{
    const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC", "Droid Sans Fallback"};
    const QStringList latin{"DejaVu Sans", "Liberation Sans", "Noto Sans"};
    QFont::insertSubstitutions(QString::fromUtf8("黑体"), cjk + latin);
    QFont::insertSubstitutions("Tahoma", latin + cjk);
    QFont::insertSubstitutions("MS Sans Serif", latin + cjk);
}

}  // namespace platform
