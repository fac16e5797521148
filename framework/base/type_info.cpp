#include "framework/base/type_info.h"

#include "framework/base/sysutils.h"

namespace orvo {

TEnumType::TEnumType(std::wstring_view name, std::initializer_list<std::wstring_view> members)
    : FName(name), FMembers(members.begin(), members.end()) {}

std::wstring_view TEnumType::MemberName(int value) const noexcept {
    if (value < 0 || value >= Count()) return {};
    return FMembers[static_cast<std::size_t>(value)];
}

std::optional<int> TEnumType::Value(std::wstring_view ident) const noexcept {
    for (std::size_t i = 0; i < FMembers.size(); ++i)
        if (SameText(FMembers[i], ident)) return static_cast<int>(i);
    return std::nullopt;
}

const TEnumType& BooleanType() {
    static const TEnumType type(L"Boolean", {L"False", L"True"});
    return type;
}

std::wstring SetToString(const TEnumType& element, std::uint32_t bits) {
    std::wstring text = L"[";
    for (int i = 0; i < element.Count() && i < 32; ++i) {
        if (!(bits & (std::uint32_t{1} << i))) continue;
        if (text.size() > 1) text += L',';
        text += element.MemberName(i);
    }
    return text + L']';
}

std::optional<std::uint32_t> StringToSet(const TEnumType& element, std::wstring_view text) {
    std::wstring body = Trim(text);
    std::wstring_view rest = body;
    if (rest.starts_with(L'[')) {
        if (!rest.ends_with(L']')) return std::nullopt;
        rest = rest.substr(1, rest.size() - 2);
    }
    std::uint32_t bits = 0;
    if (Trim(rest).empty()) return bits;
    while (true) {
        const std::size_t comma = rest.find(L',');
        const std::wstring ident = Trim(rest.substr(0, comma));
        const std::optional<int> value = element.Value(ident);
        if (!value || *value >= 32) return std::nullopt;
        bits |= std::uint32_t{1} << *value;
        if (comma == std::wstring_view::npos) return bits;
        rest.remove_prefix(comma + 1);
    }
}

TIntegerType::TIntegerType(std::wstring_view name) : FName(name) {}

TIntegerType::TIntegerType(std::wstring_view name, std::initializer_list<TIdentMapEntry> idents)
    : FName(name) {
    std::vector<std::pair<std::int32_t, std::wstring>> table;
    for (const TIdentMapEntry& e : idents)
        table.emplace_back(e.Value, std::wstring(e.Name));
    FFromIdent = [table](std::wstring_view ident) -> std::optional<std::int32_t> {
        for (const auto& [value, entryName] : table)
            if (SameText(entryName, ident)) return value;
        return std::nullopt;
    };
    FToIdent = [table](std::int32_t v) -> std::optional<std::wstring> {
        for (const auto& [value, ident] : table)
            if (value == v) return ident;
        return std::nullopt;
    };
}

TIntegerType::TIntegerType(std::wstring_view name, TFromIdent fromIdent, TToIdent toIdent)
    : FName(name), FFromIdent(std::move(fromIdent)), FToIdent(std::move(toIdent)) {}

std::optional<std::int32_t> TIntegerType::IdentToInt(std::wstring_view ident) const {
    return FFromIdent ? FFromIdent(ident) : std::nullopt;
}

std::optional<std::wstring> TIntegerType::IntToIdent(std::int32_t value) const {
    return FToIdent ? FToIdent(value) : std::nullopt;
}

const TIntegerType& IntegerType() {
    static const TIntegerType type(L"Integer");
    return type;
}

} // namespace orvo
