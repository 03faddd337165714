#pragma once
// The kinds of file the graph can be written to, told by the file name.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace core {

// Image: another image type, the one the file name's extension names ("jpg",
// "bmp" …); which ones can be written is known to the platform layer.
enum class PictureFormat { Png, Svg, Pdf, Image };

// The file name's extension without its dot, in lower case; empty when the
// name has none.
inline std::string fileExtension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    return extension;
}

// PNG, SVG or PDF by the name's extension, in any letter case; empty for any
// other name.
inline std::optional<PictureFormat> pictureFormatOf(const std::string& path)
{
    const std::string extension = fileExtension(path);
    if (extension == "png") return PictureFormat::Png;
    if (extension == "svg") return PictureFormat::Svg;
    if (extension == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

}  // namespace core
