// Types of published property values that carry names: enumerations (members by identifier),
// sets of enumeration members (up to 32), and integer types with identifier names (colours:
// `Color = clBtnFace`). Define each type once, in a function returning a static, so that the
// order of static initialisation never matters:
//
//     enum TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable };
//     const TEnumType& BorderStyleType() {
//         static const TEnumType type(L"TBorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable"});
//         return type;
//     }
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// Members are numbered from 0 in the order given; identifiers compare ASCII case-insensitively.
class TEnumType {
public:
    TEnumType(std::wstring_view name, std::initializer_list<std::wstring_view> members);
    std::wstring_view Name() const noexcept { return FName; }
    int Count() const noexcept { return static_cast<int>(FMembers.size()); }
    // Empty for a value outside 0..Count()-1.
    std::wstring_view MemberName(int value) const noexcept;
    std::optional<int> Value(std::wstring_view ident) const noexcept;

private:
    std::wstring FName;
    std::vector<std::wstring> FMembers;
};

// Boolean properties are the enumeration (False, True).
const TEnumType& BooleanType();

// "[a,b]" for the members whose bits are set (bits beyond the type's members are dropped).
std::wstring SetToString(const TEnumType& element, std::uint32_t bits);
// Accepts "[a, b]", "a,b" or "[]"; nothing when a member is unknown.
std::optional<std::uint32_t> StringToSet(const TEnumType& element, std::wstring_view text);

struct TIdentMapEntry {
    std::int32_t Value;
    std::wstring_view Name;
};

// An integer type whose values may be written as identifiers (numbers are always accepted).
class TIntegerType {
public:
    using TFromIdent = std::function<std::optional<std::int32_t>(std::wstring_view ident)>;
    using TToIdent = std::function<std::optional<std::wstring>(std::int32_t value)>;

    // Plain integers: no identifiers.
    explicit TIntegerType(std::wstring_view name);
    // Identifiers from a table (copied).
    TIntegerType(std::wstring_view name, std::initializer_list<TIdentMapEntry> idents);
    // Identifiers computed by the type's own functions.
    TIntegerType(std::wstring_view name, TFromIdent fromIdent, TToIdent toIdent);

    std::wstring_view Name() const noexcept { return FName; }
    std::optional<std::int32_t> IdentToInt(std::wstring_view ident) const;
    std::optional<std::wstring> IntToIdent(std::int32_t value) const;

private:
    std::wstring FName;
    TFromIdent FFromIdent;
    TToIdent FToIdent;
};

// The type of ordinal properties published without a type of their own.
const TIntegerType& IntegerType();

// A set of members of an enumeration E whose values are 0..31; bit i stands for member i.
template <class E> class TSet {
public:
    constexpr TSet() noexcept = default;
    constexpr TSet(std::initializer_list<E> members) noexcept {
        for (E m : members)
            Include(m);
    }
    static constexpr TSet FromBits(std::uint32_t bits) noexcept {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint32_t Bits() const noexcept { return FBits; }
    constexpr bool Empty() const noexcept { return FBits == 0; }
    constexpr bool Contains(E m) const noexcept { return (FBits & Bit(m)) != 0; }
    constexpr TSet& Include(E m) noexcept {
        FBits |= Bit(m);
        return *this;
    }
    constexpr TSet& Exclude(E m) noexcept {
        FBits &= ~Bit(m);
        return *this;
    }
    constexpr TSet operator+(TSet o) const noexcept { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const noexcept { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const noexcept { return FromBits(FBits & o.FBits); }
    constexpr bool operator==(const TSet&) const noexcept = default;

private:
    static constexpr std::uint32_t Bit(E m) noexcept { return std::uint32_t{1} << static_cast<unsigned>(m); }
    std::uint32_t FBits = 0;
};

} // namespace orvo
