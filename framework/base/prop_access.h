// Reading and writing published properties by name. `name` may be a path through object and
// collection properties ("Font.Height", "Panels.Count"), and through an item of a collection
// ("Panels[1].Text", items counted from 0). Every function answers "absent" (an empty optional, null or false)
// when the object is null, lacks the property or the property has another kind, and never throws
// for that; a setter that fails inside the object itself may still throw.
#pragma once

#include "framework/base/properties.h"

#include <any>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// The object holding the last property of a path, and that property.
struct TPropRef {
    TObject* Instance = nullptr;
    const TPropInfo* Info = nullptr;
    explicit operator bool() const noexcept { return Info != nullptr; }
};
TPropRef FindProp(TObject* obj, std::wstring_view path);
const TPropInfo* GetPropInfo(const TObject* obj, std::wstring_view name);
bool IsPublishedProp(const TObject* obj, std::wstring_view name);

// Integer, enumeration (member number, Boolean 0/1) and set (bits) properties.
std::optional<std::int32_t> GetOrdProp(TObject* obj, std::wstring_view name);
bool SetOrdProp(TObject* obj, std::wstring_view name, std::int32_t value);

// Enumeration properties by member identifier ("bsSingle", "True"). Setting accepts the identifier
// in any ASCII case and fails for an unknown one.
std::optional<std::wstring> GetEnumProp(TObject* obj, std::wstring_view name);
bool SetEnumProp(TObject* obj, std::wstring_view name, std::wstring_view ident);
std::optional<bool> GetBoolProp(TObject* obj, std::wstring_view name);
bool SetBoolProp(TObject* obj, std::wstring_view name, bool value);

// Set properties as text: "[xoPreview,xoToolbarBK]".
std::optional<std::wstring> GetSetProp(TObject* obj, std::wstring_view name);
bool SetSetProp(TObject* obj, std::wstring_view name, std::wstring_view text);

std::optional<std::wstring> GetStrProp(TObject* obj, std::wstring_view name);
bool SetStrProp(TObject* obj, std::wstring_view name, std::wstring_view value);

// Object properties, and collection properties (the TCollection itself); null also when the
// property holds nothing. Setting checks the class; setting a collection property assigns the
// given collection's items (null empties it).
TObject* GetObjectProp(TObject* obj, std::wstring_view name);
template <class T> T* GetObjectProp(TObject* obj, std::wstring_view name) {
    return dynamic_cast<T*>(GetObjectProp(obj, name));
}
bool SetObjectProp(TObject* obj, std::wstring_view name, TObject* value);

std::optional<std::vector<std::wstring>> GetStringListProp(TObject* obj, std::wstring_view name);
bool SetStringListProp(TObject* obj, std::wstring_view name, const std::vector<std::wstring>& lines);

// Events: the handler in a std::any holding the event's std::function type. Setting fails when the
// handler is of another type; an empty std::any clears the event.
std::optional<std::any> GetMethodProp(TObject* obj, std::wstring_view name);
bool SetMethodProp(TObject* obj, std::wstring_view name, const std::any& handler);

// Any property of the kinds above as text: integers in decimal (or their identifier), enumerations
// and sets by identifiers, strings as they are. Setting from text: integers from decimal, "$hex" or
// an identifier of the property's type; enumerations by identifier (Booleans as "True"/"False" in
// any case); sets as "[a,b]"; strings as they are. Fails for a text that does not convert.
std::optional<std::wstring> GetPropValue(TObject* obj, std::wstring_view name);
bool SetPropValue(TObject* obj, std::wstring_view name, std::wstring_view text);

} // namespace orvo
