#include "framework/base/properties.h"

#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"

#include <cstdlib>
#include <cxxabi.h>

namespace orvo {

bool TPropInfo::IsWritable() const noexcept {
    switch (Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return static_cast<bool>(SetOrd);
    case TTypeKind::String:
        return static_cast<bool>(SetStr);
    case TTypeKind::Class:
        return static_cast<bool>(SetObj);
    case TTypeKind::StringList:
        return static_cast<bool>(SetList);
    case TTypeKind::Method:
        return static_cast<bool>(SetEvent);
    case TTypeKind::Binary:
        return static_cast<bool>(ReadData);
    case TTypeKind::Collection:
        return static_cast<bool>(GetObj); // its items are always writable
    }
    return false;
}

template <class I> const I* TPropTable::TList<I>::Find(std::wstring_view name) const noexcept {
    try {
        auto it = Index.find(LowerCase(name));
        return it == Index.end() ? nullptr : Items[it->second].get();
    } catch (...) {
        return nullptr; // out of memory while folding the name
    }
}

template <class I> void TPropTable::TList<I>::Add(I info) {
    auto item = std::make_shared<const I>(std::move(info));
    auto [it, inserted] = Index.emplace(LowerCase(item->Name), Items.size());
    if (inserted)
        Items.push_back(std::move(item));
    else
        Items[it->second] = std::move(item); // published again by a descendant
}

template <class I> std::vector<const I*> TPropTable::TList<I>::All() const {
    std::vector<const I*> all;
    all.reserve(Items.size());
    for (const auto& item : Items)
        all.push_back(item.get());
    return all;
}

TPropTable::TPropTable(const TPropTable* parent) {
    if (parent) *this = *parent;
}

const TPropInfo* TPropTable::FindProp(std::wstring_view name) const noexcept {
    return FProps.Find(name);
}
const TFieldInfo* TPropTable::FindField(std::wstring_view name) const noexcept {
    return FFields.Find(name);
}
const TMethodInfo* TPropTable::FindMethod(std::wstring_view name) const noexcept {
    return FMethods.Find(name);
}
std::vector<const TPropInfo*> TPropTable::Props() const {
    return FProps.All();
}
std::vector<const TFieldInfo*> TPropTable::Fields() const {
    return FFields.All();
}
std::vector<const TMethodInfo*> TPropTable::Methods() const {
    return FMethods.All();
}

void TPropTable::AddProp(TPropInfo info) {
    if (info.Kind == TTypeKind::Set && info.EnumType && info.EnumType->Count() > 32)
        throw EPropertyError(L"Set property " + info.Name + L" has more than 32 members");
    FProps.Add(std::move(info));
}
void TPropTable::AddField(TFieldInfo info) {
    FFields.Add(std::move(info));
}
void TPropTable::AddMethod(TMethodInfo info) {
    FMethods.Add(std::move(info));
}

std::wstring TypeDisplayName(const std::type_info& type) {
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string text = status == 0 && name ? name : type.name();
    std::free(name);
    // Show the signature of a handler type rather than the whole std::function spelling.
    const std::string prefix = "std::function<";
    if (text.starts_with(prefix) && text.ends_with(">"))
        text = text.substr(prefix.size(), text.size() - prefix.size() - 1);
    return TryUtf8Decode(text).value_or(L"?");
}

} // namespace orvo
