#include "framework/base/object.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <map>

namespace orvo {

bool TClassInfo::InheritsFrom(const TClassInfo& other) const noexcept {
    for (const TClassInfo* c = this; c; c = c->Parent())
        if (c == &other) return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!FFactory) throw EClassNotFound(L"Class " + std::wstring(FName) + L" cannot be created by name");
    return FFactory(owner);
}

const TPropTable& TClassInfo::Properties() const {
    std::call_once(FBuilt, [this] {
        const TClassInfo* parent = Parent();
        auto* table = new TPropTable(parent ? &parent->Properties() : nullptr);
        if (FPublish) FPublish(*table);
        FTable = table;
    });
    return *FTable;
}

namespace {

struct TRegistry {
    std::mutex Lock;
    // Lower-case name -> class; null marks a name claimed by two different classes.
    std::map<std::wstring, const TClassInfo*> Classes;
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

bool RegisterClassInfo(const TClassInfo& cls) {
    TRegistry& r = Registry();
    std::lock_guard guard(r.Lock);
    auto [it, inserted] = r.Classes.emplace(LowerCase(cls.Name()), &cls);
    if (!inserted && it->second != &cls) it->second = nullptr;
    return true;
}

const TClassInfo* FindClass(std::wstring_view name) {
    TRegistry& r = Registry();
    std::lock_guard guard(r.Lock);
    auto it = r.Classes.find(LowerCase(name));
    return it == r.Classes.end() ? nullptr : it->second;
}

const TClassInfo& GetClass(std::wstring_view name) {
    if (const TClassInfo* cls = FindClass(name)) return *cls;
    {
        TRegistry& r = Registry();
        std::lock_guard guard(r.Lock);
        if (r.Classes.contains(LowerCase(name)))
            throw EClassNotFound(L"Class " + std::wstring(name) + L" is registered more than once");
    }
    throw EClassNotFound(L"Class " + std::wstring(name) + L" not found");
}

const TClassInfo& TObject::StaticClass() noexcept {
    static constinit TClassInfo info(L"TObject", nullptr, nullptr, nullptr);
    return info;
}
[[maybe_unused]] static const bool GObjectRegistered = RegisterClassInfo(TObject::StaticClass());

ORVO_IMPLEMENT_CLASS(TPersistent);

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(L"Cannot assign a nil to a " + std::wstring(ClassName()));
}

void TPersistent::AssignTo(TPersistent* dest) {
    const std::wstring destName = dest ? std::wstring(dest->ClassName()) : L"nil";
    throw EConvertError(L"Cannot assign a " + std::wstring(ClassName()) + L" to a " + destName);
}

} // namespace orvo
