#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace core {

// Joins pieces of text into one string in a single allocation. Used instead of
// chains of `"literal" + std::string&&`, which GCC 12 at -O2/-O3 flags with a
// false -Wrestrict warning.
inline std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::size_t size = 0;
    for (std::string_view piece : pieces) size += piece.size();
    std::string text;
    text.reserve(size);
    for (std::string_view piece : pieces) text.append(piece);
    return text;
}

}  // namespace core
