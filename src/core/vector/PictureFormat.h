#pragma once
// The kinds of file the graph can be written to, told by the file name.

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace core {

enum class PictureFormat { Png, Svg, Pdf };

// By the name's extension, in any letter case; empty for any other name.
inline std::optional<PictureFormat> pictureFormatOf(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    if (extension == "png") return PictureFormat::Png;
    if (extension == "svg") return PictureFormat::Svg;
    if (extension == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

}  // namespace core
