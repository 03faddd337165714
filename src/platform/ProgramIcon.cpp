#include "platform/ProgramIcon.h"

#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// Indices into the classic sixteen-colour palette.
enum Colour : uint { Black = 0, Navy = 4, Silver = 7, Grey = 8, Red = 9, White = 15 };

QList<QRgb> classicPalette()
{
    return {0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
            0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
}
}  // namespace

QImage programPicture()
{
    constexpr int size = 32, originX = 15, originY = 24;
    QImage picture(size, size, QImage::Format_Indexed8);
    picture.setColorTable(classicPalette());
    picture.fill(White);
    for (int i = 0; i < size; ++i) {
        picture.setPixel(0, i, Grey);
        picture.setPixel(size - 1, i, Black);
        picture.setPixel(i, 0, Grey);
        picture.setPixel(i, size - 1, Black);
    }
    for (int x = 2; x < size - 2; ++x)
        picture.setPixel(x, originY, Navy);
    for (int y = 2; y < size - 2; ++y)
        picture.setPixel(originX, y, Navy);
    // y = (x − 1)² / 8 − 2 in pixels around the origin: each column from its
    // own point down to just above the next column's point toward the vertex,
    // at least two pixels, so that the steep arms are drawn unbroken.
    const auto curveRow = [](int x) {
        const double u = x - originX - 1;
        return originY - int(std::lround(u * u / 8.0 - 2));
    };
    constexpr int vertexX = originX + 1;
    for (int x = 2; x < size - 2; ++x) {
        const int top = curveRow(x);
        const int next = curveRow(x < vertexX ? x + 1 : x - 1);
        const int bottom = std::max(top + 1, next - 1);
        for (int y = std::max(top, 2); y <= std::min(bottom, size - 3); ++y)
            picture.setPixel(x, y, Red);
    }
    picture.setPixel(originX, originY, Silver);
    return picture;
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(programPicture()));
}

}  // namespace platform
