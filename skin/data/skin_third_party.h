// The built-in table that maps control classes of other component libraries to the standard kind
// they are skinned as (lines "ClassName=kind").
#pragma once

#include <array>
#include <string_view>

namespace orvo {

constexpr std::size_t BuiltInSkin3rdCount = 118;

const std::array<std::wstring_view, BuiltInSkin3rdCount>& BuiltInSkin3rd();

} // namespace orvo
