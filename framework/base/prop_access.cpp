#include "framework/base/prop_access.h"

#include "framework/base/sysutils.h"

#include <optional>

namespace orvo {

namespace {

const TPropInfo* FindOwnProp(const TObject* obj, std::wstring_view name) {
    return obj ? obj->ClassInfo().Properties().FindProp(name) : nullptr;
}

TPropRef FindOf(TObject* obj, std::wstring_view name, std::initializer_list<TTypeKind> kinds) {
    TPropRef ref = FindProp(obj, name);
    if (!ref) return {};
    for (TTypeKind k : kinds)
        if (ref.Info->Kind == k) return ref;
    return {};
}

// "Panels[12]" -> 12; nothing for a segment without a well-formed index.
std::optional<int> SegmentIndex(std::wstring_view segment, std::wstring_view& name) {
    const std::size_t open = segment.find(L'[');
    name = segment.substr(0, open);
    if (open == std::wstring_view::npos) return std::nullopt;
    if (segment.size() < open + 3 || segment.back() != L']') return -1;
    int index = 0;
    for (wchar_t c : segment.substr(open + 1, segment.size() - open - 2)) {
        if (c < L'0' || c > L'9' || index > 100000000) return -1;
        index = index * 10 + (c - L'0');
    }
    return index;
}

} // namespace

TPropRef FindProp(TObject* obj, std::wstring_view path) {
    while (obj) {
        const std::size_t dot = path.find(L'.');
        std::wstring_view name;
        const std::optional<int> index = SegmentIndex(path.substr(0, dot), name);
        const TPropInfo* info = FindOwnProp(obj, name);
        if (!info) return {};
        if (index) {
            // An item of a collection, on the way to one of its properties.
            if (dot == std::wstring_view::npos || info->Kind != TTypeKind::Collection || *index < 0)
                return {};
            auto* collection = dynamic_cast<TCollection*>(info->GetObj(*obj));
            if (!collection || *index >= collection->Count()) return {};
            obj = collection->Items(*index);
        } else {
            if (dot == std::wstring_view::npos) return {obj, info};
            if (info->Kind != TTypeKind::Class && info->Kind != TTypeKind::Collection) return {};
            obj = info->GetObj(*obj);
        }
        path.remove_prefix(dot + 1);
    }
    return {};
}

const TPropInfo* GetPropInfo(const TObject* obj, std::wstring_view name) {
    return FindProp(const_cast<TObject*>(obj), name).Info;
}

bool IsPublishedProp(const TObject* obj, std::wstring_view name) {
    return GetPropInfo(obj, name) != nullptr;
}

std::optional<std::int32_t> GetOrdProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Integer, TTypeKind::Enumeration, TTypeKind::Set});
    if (!ref) return std::nullopt;
    return ref.Info->GetOrd(*ref.Instance);
}

bool SetOrdProp(TObject* obj, std::wstring_view name, std::int32_t value) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Integer, TTypeKind::Enumeration, TTypeKind::Set});
    if (!ref || !ref.Info->SetOrd) return false;
    ref.Info->SetOrd(*ref.Instance, value);
    return true;
}

std::optional<std::wstring> GetEnumProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Enumeration});
    if (!ref) return std::nullopt;
    return std::wstring(ref.Info->EnumType->MemberName(ref.Info->GetOrd(*ref.Instance)));
}

bool SetEnumProp(TObject* obj, std::wstring_view name, std::wstring_view ident) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Enumeration});
    if (!ref || !ref.Info->SetOrd) return false;
    const std::optional<int> value = ref.Info->EnumType->Value(ident);
    if (!value) return false;
    ref.Info->SetOrd(*ref.Instance, *value);
    return true;
}

std::optional<bool> GetBoolProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Enumeration});
    if (!ref || !ref.Info->IsBoolean()) return std::nullopt;
    return ref.Info->GetOrd(*ref.Instance) != 0;
}

bool SetBoolProp(TObject* obj, std::wstring_view name, bool value) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Enumeration});
    if (!ref || !ref.Info->IsBoolean() || !ref.Info->SetOrd) return false;
    ref.Info->SetOrd(*ref.Instance, value ? 1 : 0);
    return true;
}

std::optional<std::wstring> GetSetProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Set});
    if (!ref) return std::nullopt;
    return SetToString(*ref.Info->EnumType, static_cast<std::uint32_t>(ref.Info->GetOrd(*ref.Instance)));
}

bool SetSetProp(TObject* obj, std::wstring_view name, std::wstring_view text) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Set});
    if (!ref || !ref.Info->SetOrd) return false;
    const std::optional<std::uint32_t> bits = StringToSet(*ref.Info->EnumType, text);
    if (!bits) return false;
    ref.Info->SetOrd(*ref.Instance, static_cast<std::int32_t>(*bits));
    return true;
}

std::optional<std::wstring> GetStrProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::String});
    if (!ref) return std::nullopt;
    return ref.Info->GetStr(*ref.Instance);
}

bool SetStrProp(TObject* obj, std::wstring_view name, std::wstring_view value) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::String});
    if (!ref || !ref.Info->SetStr) return false;
    ref.Info->SetStr(*ref.Instance, std::wstring(value));
    return true;
}

TObject* GetObjectProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Class, TTypeKind::Collection});
    return ref ? ref.Info->GetObj(*ref.Instance) : nullptr;
}

bool SetObjectProp(TObject* obj, std::wstring_view name, TObject* value) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Class, TTypeKind::Collection});
    if (!ref || !ref.Info->SetObj) return false;
    if (value && !value->InheritsFrom(*ref.Info->ClassType)) return false;
    ref.Info->SetObj(*ref.Instance, value);
    return true;
}

std::optional<std::vector<std::wstring>> GetStringListProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::StringList});
    if (!ref) return std::nullopt;
    return ref.Info->GetList(*ref.Instance);
}

bool SetStringListProp(TObject* obj, std::wstring_view name, const std::vector<std::wstring>& lines) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::StringList});
    if (!ref || !ref.Info->SetList) return false;
    ref.Info->SetList(*ref.Instance, lines);
    return true;
}

std::optional<std::any> GetMethodProp(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Method});
    if (!ref) return std::nullopt;
    return ref.Info->GetEvent(*ref.Instance);
}

bool SetMethodProp(TObject* obj, std::wstring_view name, const std::any& handler) {
    TPropRef ref = FindOf(obj, name, {TTypeKind::Method});
    if (!ref || !ref.Info->SetEvent) return false;
    if (handler.has_value() && handler.type() != *ref.Info->EventType) return false;
    ref.Info->SetEvent(*ref.Instance, handler);
    return true;
}

std::optional<std::wstring> GetPropValue(TObject* obj, std::wstring_view name) {
    TPropRef ref = FindProp(obj, name);
    if (!ref) return std::nullopt;
    const TPropInfo& info = *ref.Info;
    switch (info.Kind) {
    case TTypeKind::Integer: {
        const std::int32_t value = info.GetOrd(*ref.Instance);
        if (auto ident = info.IntType ? info.IntType->IntToIdent(value) : std::nullopt) return ident;
        return IntToStr(value);
    }
    case TTypeKind::Enumeration:
        return std::wstring(info.EnumType->MemberName(info.GetOrd(*ref.Instance)));
    case TTypeKind::Set:
        return SetToString(*info.EnumType, static_cast<std::uint32_t>(info.GetOrd(*ref.Instance)));
    case TTypeKind::String:
        return info.GetStr(*ref.Instance);
    default:
        return std::nullopt;
    }
}

bool SetPropValue(TObject* obj, std::wstring_view name, std::wstring_view text) {
    TPropRef ref = FindProp(obj, name);
    if (!ref) return false;
    const TPropInfo& info = *ref.Info;
    switch (info.Kind) {
    case TTypeKind::Integer: {
        std::optional<std::int32_t> value = TryStrToInt(text);
        if (!value && info.IntType) value = info.IntType->IdentToInt(text);
        if (!value || !info.SetOrd) return false;
        info.SetOrd(*ref.Instance, *value);
        return true;
    }
    case TTypeKind::Enumeration:
        return SetEnumProp(ref.Instance, info.Name, text);
    case TTypeKind::Set:
        return SetSetProp(ref.Instance, info.Name, text);
    case TTypeKind::String:
        return SetStrProp(ref.Instance, info.Name, text);
    default:
        return false;
    }
}

} // namespace orvo
