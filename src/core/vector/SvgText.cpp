#include "core/vector/SvgText.h"

#include <cstdio>

namespace core {

std::string svgText(const std::vector<Polyline>& polylines, int width, int height, int scale,
                    std::uint32_t background)
{
    char line[256];
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    std::snprintf(line, sizeof line,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\">\n",
                  width * scale, height * scale, width, height);
    text += line;
    std::snprintf(line, sizeof line, "<rect width=\"%d\" height=\"%d\" fill=\"#%06x\"/>\n", width, height,
                  unsigned(background & 0xffffffu));
    text += line;
    text += "<g fill=\"none\" stroke=\"#000000\" stroke-width=\"1\" stroke-linecap=\"butt\" "
            "stroke-linejoin=\"miter\" transform=\"translate(0.5,0.5)\">\n";
    for (const Polyline& polyline : polylines) {
        text += "<polyline points=\"";
        for (std::size_t i = 0; i < polyline.size(); ++i) {
            std::snprintf(line, sizeof line, i == 0 ? "%lld,%lld" : " %lld,%lld", (long long)polyline[i].x,
                          (long long)polyline[i].y);
            text += line;
        }
        text += "\"/>\n";
    }
    text += "</g>\n</svg>\n";
    return text;
}

}  // namespace core
