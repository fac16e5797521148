#pragma once
// The texts the split engine shows to the user (UTF-8), in one place.
#include <string_view>

namespace orvo::split_texts {

inline constexpr std::string_view Starting = "准备开始分割";
inline constexpr std::string_view PieceDone = "分割完成：";

inline constexpr std::string_view CannotCreate = "无法创建文件";
inline constexpr std::string_view CannotOpen = "无法打开文件";
inline constexpr std::string_view ReadFailed = "读取文件失败";
inline constexpr std::string_view WriteFailed = "写入文件失败";
inline constexpr std::string_view CloseFailed = "关闭文件失败";
inline constexpr std::string_view HeaderUnusable = "无法在每个文件中重复标题行";
inline constexpr std::string_view HeaderTooLong = "标题行超过 16 MiB";

inline constexpr std::string_view QuoteOpen = "“";
inline constexpr std::string_view QuoteClose = "”";
inline constexpr std::string_view Colon = "：";

} // namespace orvo::split_texts
