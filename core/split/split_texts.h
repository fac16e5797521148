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

inline constexpr std::string_view Refused = "无法开始拆分";
inline constexpr std::string_view RecordTooLong = "无法读取 CSV 记录";
inline constexpr std::string_view SizeUnknown = "无法得知文件大小";
inline constexpr std::string_view CannotRename = "无法重命名文件";
inline constexpr std::string_view CannotRemove = "无法删除未完成的文件";
inline constexpr std::string_view CannotList = "无法列出目录";
inline constexpr std::string_view LineBefore = "第 ";
inline constexpr std::string_view QuoteNotClosed = " 行的引号没有闭合，记录超过了 ";
inline constexpr std::string_view RecordPastLimit = " 行开始的记录超过了 ";
inline constexpr std::string_view SizeNeeded = "按份数拆分需要知道源文件的大小";

// Options that cannot be used.
inline constexpr std::string_view BadLineCount = "行数必须是 1 到 99999 之间的整数：";
inline constexpr std::string_view BadPieceBytes = "大小必须是正整数，可带后缀 k、M、G：";
inline constexpr std::string_view BadPieceCount = "份数必须是 2 到 99999 之间的整数：";
inline constexpr std::string_view BadHeaderLines = "标题行数必须是 0 到 9999 之间的整数：";
inline constexpr std::string_view BadMaxRecord = "记录上限必须是 1 字节到 1 TiB 之间的大小：";
inline constexpr std::string_view TemplateEmpty = "文件名模板是空的";
inline constexpr std::string_view TemplateWithoutNumber = "文件名模板必须含有 {n}，否则每个文件同名";
inline constexpr std::string_view TemplateUnknownField = "文件名模板中有未知的字段：";
inline constexpr std::string_view TemplateBadWidth = "位数必须是 1 到 20：";
inline constexpr std::string_view TemplateUnbalancedBrace = "文件名模板中的花括号不成对（字面的花括号写作 {{ 和 }}）";
inline constexpr std::string_view TemplateLeavesFolder = "文件名模板会离开目标目录：";
inline constexpr std::string_view TemplateBadCharacter = "文件名中不能有字符：";
inline constexpr std::string_view TemplateBadEnding = "文件名不能以点或空格结尾：";
inline constexpr std::string_view TemplateReservedName = "文件名是系统保留的设备名：";
inline constexpr std::string_view PieceIsSource = "拆分出的文件会覆盖源文件：";
inline constexpr std::string_view PieceExists = "文件已存在（--no-clobber）：";
inline constexpr std::string_view ManifestExists = "清单文件已存在（--no-clobber）：";

// Manifests, verify and join.
inline constexpr std::string_view ManifestUnusable = "无法使用清单";
inline constexpr std::string_view ManifestTooLarge = "文件太大，不是清单";
inline constexpr std::string_view ManifestNotJson = "不是 JSON 文本，出错位置：";
inline constexpr std::string_view ManifestBadField = "不是本程序的清单，缺少或无法使用字段";
inline constexpr std::string_view ManifestNewer = "清单由更新版本的程序写出，版本 ";
inline constexpr std::string_view ManifestOutside = "清单中的文件名不在清单所在目录中：";
inline constexpr std::string_view ManifestDuplicate = "清单中的文件名重复：";

inline constexpr std::string_view JoinIncomplete = "清单所记的拆分没有完成，无法合并：";
inline constexpr std::string_view JoinOutputIsInput = "输出文件会覆盖合并的输入：";
inline constexpr std::string_view JoinPieceMissing = "找不到文件：";
inline constexpr std::string_view JoinPieceChanged = "文件的大小或校验和与清单不符：";
inline constexpr std::string_view JoinPrefixDiffers = "文件开头的标记和标题行与第一个文件不同：";
inline constexpr std::string_view JoinSourceMismatch = "合并结果与源文件的大小或校验和不符";
inline constexpr std::string_view JoinStopped = "合并已停止，没有写出文件";

inline constexpr std::string_view QuoteOpen = "“";
inline constexpr std::string_view QuoteClose = "”";
inline constexpr std::string_view Colon = "：";

} // namespace orvo::split_texts
