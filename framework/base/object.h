// The root of the framework's object model: TObject with its class info, TPersistent, and the
// class registry.
//
// Declaring a class (header), first thing in the class body:
//
//     class TButton : public TWinControl {
//         ORVO_CLASS(TButton, TWinControl)
//     public:
//         explicit TButton(TComponent* owner);
//         static void Publish(TPublisher<TButton>& p); // optional: published properties
//     };
//
// Implementing it (.cpp, inside the class's namespace, with framework/properties.h included):
//
//     ORVO_IMPLEMENT_CLASS(TButton) // class info + registration under the name "TButton"
//
// A registered component class can be created by name (CreateComponent in component.h) and so be
// named in stored forms. Objects are identities: they are never copied (use TPersistent::Assign).
// The class info mirrors the C++ inheritance, which must be single and non-virtual.
#pragma once

#include <functional>
#include <mutex>
#include <string_view>

namespace orvo {

class TObject;
class TComponent;
class TPropTable;

// The common event: something happened to Sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TClassInfo {
public:
    using TParentFn = const TClassInfo& (*)() noexcept;
    using TFactory = TComponent* (*)(TComponent* owner);
    using TPublishFn = void (*)(TPropTable& table);

    constexpr TClassInfo(const wchar_t* name, TParentFn parent, TFactory factory, TPublishFn publish) noexcept
        : FName(name), FParent(parent), FFactory(factory), FPublish(publish) {}
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    std::wstring_view Name() const noexcept { return FName; }
    // Null for TObject.
    const TClassInfo* Parent() const noexcept { return FParent ? &FParent() : nullptr; }
    // True for the class itself and every descendant.
    bool InheritsFrom(const TClassInfo& other) const noexcept;
    // A component class with a constructor taking the owner (and not abstract).
    bool CanCreate() const noexcept { return FFactory != nullptr; }
    // Throws EClassNotFound when the class cannot be created by name.
    TComponent* Create(TComponent* owner) const;
    // Published properties, fields and methods, the ancestors' included (built on first use).
    const TPropTable& Properties() const;

private:
    const wchar_t* FName;
    TParentFn FParent;
    TFactory FFactory;
    TPublishFn FPublish;
    mutable std::once_flag FBuilt;
    mutable const TPropTable* FTable = nullptr; // lives as long as the program
};

// Registers a class under its name; returns true (for static initialisers). Registering two
// different classes under one name makes that name unusable: lookups then report the clash.
bool RegisterClassInfo(const TClassInfo& cls);
// Null when no class of that name (ASCII case-insensitive) is registered.
const TClassInfo* FindClass(std::wstring_view name);
// Throws EClassNotFound "Class TFoo not found".
const TClassInfo& GetClass(std::wstring_view name);

#define ORVO_CLASS_DECL_(Class)                                                                              \
public:                                                                                                      \
    static const ::orvo::TClassInfo& StaticClass() noexcept;                                                 \
    const ::orvo::TClassInfo& ClassInfo() const noexcept override {                                          \
        return StaticClass();                                                                                \
    }                                                                                                        \
                                                                                                             \
private:

#define ORVO_CLASS(Class, Parent)                                                                            \
public:                                                                                                      \
    using inherited = Parent;                                                                                \
    ORVO_CLASS_DECL_(Class)

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static const TClassInfo& StaticClass() noexcept;
    virtual const TClassInfo& ClassInfo() const noexcept { return StaticClass(); }
    std::wstring_view ClassName() const noexcept { return ClassInfo().Name(); }
    const TClassInfo* ClassParent() const noexcept { return ClassInfo().Parent(); }
    bool InheritsFrom(const TClassInfo& cls) const noexcept { return ClassInfo().InheritsFrom(cls); }
    template <class T> bool InheritsFrom() const noexcept { return InheritsFrom(T::StaticClass()); }
};

// An object whose state can be copied from another: Assign asks the source's AssignTo when it
// does not know the source's class itself, and fails with EConvertError
// "Cannot assign a TFoo to a TBar" when neither side knows the other.
class TPersistent : public TObject {
    ORVO_CLASS(TPersistent, TObject)
public:
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
};

} // namespace orvo
