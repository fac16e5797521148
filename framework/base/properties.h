// Published properties: per-class tables of properties that can be read and written by name at
// run time (prop_access.h), used by the stored-form reader and by code that must work with any
// class following the common property names. A class publishes in a static member function that
// ORVO_IMPLEMENT_CLASS finds by itself; a derived class sees its ancestors' properties and may
// publish one again under the same name to replace it (same place in the order).
//
//     void TButton::Publish(TPublisher<TButton>& p) {
//         p.Integer(L"Left", &TButton::Left, &TButton::SetLeft);      // getter, setter (or nothing)
//         p.Integer(L"Color", ColorType(), &TButton::FColor, &TButton::SetColor); // identifiers
//         p.Boolean(L"Enabled", &TButton::Enabled, &TButton::SetEnabled);
//         p.Enum(L"BorderStyle", BorderStyleType(), &TButton::FBorderStyle, &TButton::SetBorderStyle);
//         p.Set(L"Options", OptionType(), &TButton::FOptions, &TButton::SetOptions); // TSet<E>
//         p.String(L"Caption", &TButton::Caption, &TButton::SetCaption);
//         p.Object(L"Font", &TButton::Font, &TButton::SetFont);        // T* (class from the type)
//         p.Event(L"OnClick", &TButton::OnClick);                      // a std::function member
//         p.Binary(L"Data", &TButton::ReadData, &TButton::WriteData);  // void (TStream&)
//         p.Collection(L"Panels", &TStatusBar::Panels);                 // a held TCollection*
//     }
//     void TfMainWin::Publish(TPublisher<TfMainWin>& p) {
//         p.Field(L"btnSplitNow", &TfMainWin::btnSplitNow);            // wired to the component
//         p.Method(L"btnSplitNowClick", &TfMainWin::btnSplitNowClick); // bindable to events
//     }
//
// Getters and setters are member functions, data members (also private ones: Publish is a member)
// or callables taking T&. Events are std::function<Sig> values; a published method
// `R T::M(Args...)` binds to events of type std::function<R(Args...)>, exactly.
#pragma once

#include "framework/base/collection.h"
#include "framework/base/component.h"
#include "framework/base/object.h"
#include "framework/base/type_info.h"

#include <any>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace orvo {

class TStream;

enum class TTypeKind : std::uint8_t {
    Integer,     // 32-bit, optionally with identifiers (IntType)
    Enumeration, // by identifier (EnumType); Boolean is the enumeration (False, True)
    Set,         // of members of EnumType, as bits
    String,      // UTF-16
    Class,       // an object (ClassType): a held TPersistent such as Font, or a component reference
    StringList,  // a list of strings, e.g. TStrings.Strings (Lines.Strings in a stored form)
    Method,      // an event: a std::function<Sig> (EventType)
    Binary,      // data the object reads and writes itself
    Collection,  // a held TCollection (ClassType): its items are read and written through it
};

struct TPropInfo {
    std::wstring Name;
    TTypeKind Kind = TTypeKind::Integer;
    const TIntegerType* IntType = nullptr;     // Integer
    const TEnumType* EnumType = nullptr;       // Enumeration, Set
    const TClassInfo* ClassType = nullptr;     // Class, Collection (the collection's class)
    const std::type_info* EventType = nullptr; // Method: typeid(std::function<Sig>)

    // Only the accessors of the property's kind are set; a missing setter means read-only.
    std::function<std::int32_t(TObject&)> GetOrd; // Integer, Enumeration, Set (bits)
    std::function<void(TObject&, std::int32_t)> SetOrd;
    std::function<std::wstring(TObject&)> GetStr;
    std::function<void(TObject&, const std::wstring&)> SetStr;
    std::function<TObject*(TObject&)> GetObj; // Class, Collection
    std::function<void(TObject&, TObject*)> SetObj;
    std::function<std::vector<std::wstring>(TObject&)> GetList;
    std::function<void(TObject&, const std::vector<std::wstring>&)> SetList;
    std::function<std::any(TObject&)> GetEvent; // an empty handler is an empty std::function<Sig>
    std::function<void(TObject&, const std::any&)> SetEvent;
    std::function<void(TObject&, TStream&)> ReadData;
    std::function<void(TObject&, TStream&)> WriteData;

    bool IsWritable() const noexcept;
    bool IsBoolean() const noexcept { return Kind == TTypeKind::Enumeration && EnumType == &BooleanType(); }
};

// A published component field of a form class, set to the owned component of the same name.
struct TFieldInfo {
    std::wstring Name;
    const TClassInfo* ClassType = nullptr;
    std::function<TObject*(TObject&)> Get;
    std::function<void(TObject&, TObject*)> Set;
};

// A published method: Bind gives a handler (std::function<Sig> in a std::any) calling it on an
// instance.
struct TMethodInfo {
    std::wstring Name;
    const std::type_info* EventType = nullptr;
    std::function<std::any(TObject&)> Bind;
};

class TPropTable {
public:
    TPropTable() = default;
    // A copy of the parent's table, to which a class adds its own.
    explicit TPropTable(const TPropTable* parent);

    const TPropInfo* FindProp(std::wstring_view name) const noexcept;
    const TFieldInfo* FindField(std::wstring_view name) const noexcept;
    const TMethodInfo* FindMethod(std::wstring_view name) const noexcept;
    // Ancestors' first, in publishing order.
    std::vector<const TPropInfo*> Props() const;
    std::vector<const TFieldInfo*> Fields() const;
    std::vector<const TMethodInfo*> Methods() const;

    void AddProp(TPropInfo info);
    void AddField(TFieldInfo info);
    void AddMethod(TMethodInfo info);

private:
    template <class I> struct TList {
        std::vector<std::shared_ptr<const I>> Items;
        std::unordered_map<std::wstring, std::size_t> Index; // lower-case name -> position
        const I* Find(std::wstring_view name) const noexcept;
        void Add(I info);
        std::vector<const I*> All() const;
    };
    TList<TPropInfo> FProps;
    TList<TFieldInfo> FFields;
    TList<TMethodInfo> FMethods;
};

// A readable name for a C++ type ("void (orvo::TObject*)"), for error messages.
std::wstring TypeDisplayName(const std::type_info& type);

namespace detail {

template <class T, class G> decltype(auto) GetValue(const G& get, TObject& obj) {
    return std::invoke(get, static_cast<T&>(obj));
}
template <class T, class S, class V> void PutValue(const S& set, TObject& obj, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        std::invoke(set, static_cast<T&>(obj)) = std::forward<V>(value);
    else
        std::invoke(set, static_cast<T&>(obj), std::forward<V>(value));
}
template <class T, class G> using ValueOf = std::remove_cvref_t<std::invoke_result_t<const G&, T&>>;

template <class V> std::uint32_t SetBits(const V& v) {
    if constexpr (std::is_integral_v<V>)
        return static_cast<std::uint32_t>(v);
    else
        return v.Bits();
}
template <class V> V SetFromBits(std::uint32_t bits) {
    if constexpr (std::is_integral_v<V>)
        return static_cast<V>(bits);
    else
        return V::FromBits(bits);
}

template <class F> struct TMethodTraits;
template <class C, class R, class... A> struct TMethodTraits<R (C::*)(A...)> {
    using Event = std::function<R(A...)>;
};
template <class C, class R, class... A> struct TMethodTraits<R (C::*)(A...) const> {
    using Event = std::function<R(A...)>;
};

// Classes read from a stored description of their own (forms, frames) finish their creation in
// AfterConstruction, which needs the whole object: it runs once the constructor has returned.
template <class T> TComponent* CreateInstance(TComponent* owner) {
    if constexpr (requires(T& t) { t.AfterConstruction(); }) {
        std::unique_ptr<T> instance(new T(owner));
        instance->AfterConstruction();
        return instance.release();
    } else {
        return new T(owner);
    }
}
template <class T> constexpr TClassInfo::TFactory FactoryOf() noexcept {
    if constexpr (std::is_convertible_v<T*, TComponent*> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
        return &CreateInstance<T>;
    else
        return nullptr;
}

} // namespace detail

template <class T> class TPublisher {
public:
    explicit TPublisher(TPropTable& table) : FTable(table) {}

    template <class G, class S = std::nullptr_t>
    void Integer(std::wstring_view name, G get, S set = nullptr) {
        Integer(name, IntegerType(), std::move(get), std::move(set));
    }
    template <class G, class S = std::nullptr_t>
    void Integer(std::wstring_view name, const TIntegerType& type, G get, S set = nullptr) {
        TPropInfo p = Make(name, TTypeKind::Integer);
        p.IntType = &type;
        AddOrdinal(std::move(p), std::move(get), std::move(set));
    }
    template <class G, class S = std::nullptr_t>
    void Boolean(std::wstring_view name, G get, S set = nullptr) {
        TPropInfo p = Make(name, TTypeKind::Enumeration);
        p.EnumType = &BooleanType();
        p.GetOrd = [get](TObject& o) { return detail::GetValue<T>(get, o) ? 1 : 0; };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TObject& o, std::int32_t v) { detail::PutValue<T>(set, o, v != 0); };
        FTable.AddProp(std::move(p));
    }
    template <class G, class S = std::nullptr_t>
    void Enum(std::wstring_view name, const TEnumType& type, G get, S set = nullptr) {
        TPropInfo p = Make(name, TTypeKind::Enumeration);
        p.EnumType = &type;
        AddOrdinal(std::move(p), std::move(get), std::move(set));
    }
    // The value is a TSet<E> or an unsigned integer of bits.
    template <class G, class S = std::nullptr_t>
    void Set(std::wstring_view name, const TEnumType& element, G get, S set = nullptr) {
        using V = detail::ValueOf<T, G>;
        TPropInfo p = Make(name, TTypeKind::Set);
        p.EnumType = &element;
        p.GetOrd = [get](TObject& o) {
            return static_cast<std::int32_t>(detail::SetBits(detail::GetValue<T>(get, o)));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TObject& o, std::int32_t v) {
                detail::PutValue<T>(set, o, detail::SetFromBits<V>(static_cast<std::uint32_t>(v)));
            };
        FTable.AddProp(std::move(p));
    }
    template <class G, class S = std::nullptr_t> void String(std::wstring_view name, G get, S set = nullptr) {
        TPropInfo p = Make(name, TTypeKind::String);
        p.GetStr = [get](TObject& o) { return std::wstring(detail::GetValue<T>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetStr = [set](TObject& o, const std::wstring& v) { detail::PutValue<T>(set, o, v); };
        FTable.AddProp(std::move(p));
    }
    // The getter yields X* for a class X with class info; the property accepts X and descendants.
    template <class G, class S = std::nullptr_t> void Object(std::wstring_view name, G get, S set = nullptr) {
        using V = detail::ValueOf<T, G>;
        static_assert(std::is_pointer_v<V>, "an object property's getter yields a pointer");
        using X = std::remove_cv_t<std::remove_pointer_t<V>>;
        TPropInfo p = Make(name, TTypeKind::Class);
        p.ClassType = &X::StaticClass();
        p.GetObj = [get](TObject& o) -> TObject* { return detail::GetValue<T>(get, o); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObj = [set](TObject& o, TObject* v) { detail::PutValue<T>(set, o, dynamic_cast<X*>(v)); };
        FTable.AddProp(std::move(p));
    }
    // The getter yields a std::vector<std::wstring>; the setter takes one.
    template <class G, class S = std::nullptr_t>
    void StringList(std::wstring_view name, G get, S set = nullptr) {
        TPropInfo p = Make(name, TTypeKind::StringList);
        p.GetList = [get](TObject& o) { return std::vector<std::wstring>(detail::GetValue<T>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetList = [set](TObject& o, const std::vector<std::wstring>& v) {
                detail::PutValue<T>(set, o, v);
            };
        FTable.AddProp(std::move(p));
    }
    // A collection the object holds (the getter yields a pointer to a TCollection class). Setting
    // the property assigns another collection's items to it (null empties it); the form reader
    // fills it in place.
    template <class G> void Collection(std::wstring_view name, G get) {
        using V = detail::ValueOf<T, G>;
        static_assert(std::is_pointer_v<V>, "a collection property's getter yields a pointer");
        using X = std::remove_cv_t<std::remove_pointer_t<V>>;
        static_assert(std::is_base_of_v<TCollection, X>, "a collection property holds a TCollection");
        TPropInfo p = Make(name, TTypeKind::Collection);
        p.ClassType = &X::StaticClass();
        p.GetObj = [get](TObject& o) -> TObject* { return detail::GetValue<T>(get, o); };
        p.SetObj = [get](TObject& o, TObject* v) {
            X* held = detail::GetValue<T>(get, o);
            if (!held) return;
            if (v)
                held->Assign(dynamic_cast<TPersistent*>(v));
            else
                held->Clear();
        };
        FTable.AddProp(std::move(p));
    }
    // An event held in a std::function member (one argument), or read and written by a getter/setter.
    template <class G, class S = G> void Event(std::wstring_view name, G get, S set) {
        using E = detail::ValueOf<T, G>;
        TPropInfo p = Make(name, TTypeKind::Method);
        p.EventType = &typeid(E);
        p.GetEvent = [get](TObject& o) { return std::any(E(detail::GetValue<T>(get, o))); };
        p.SetEvent = [set](TObject& o, const std::any& v) {
            detail::PutValue<T>(set, o, v.has_value() ? std::any_cast<const E&>(v) : E());
        };
        FTable.AddProp(std::move(p));
    }
    template <class M> void Event(std::wstring_view name, M member) { Event(name, member, member); }
    // Reader and writer are `void (TStream&)` members or callables taking (T&, TStream&).
    template <class R, class W = std::nullptr_t>
    void Binary(std::wstring_view name, R read, W write = nullptr) {
        TPropInfo p = Make(name, TTypeKind::Binary);
        p.ReadData = [read](TObject& o, TStream& s) { std::invoke(read, static_cast<T&>(o), s); };
        if constexpr (!std::is_null_pointer_v<W>)
            p.WriteData = [write](TObject& o, TStream& s) { std::invoke(write, static_cast<T&>(o), s); };
        FTable.AddProp(std::move(p));
    }
    template <class X> void Field(std::wstring_view name, X* T::*field) {
        TFieldInfo f;
        f.Name = std::wstring(name);
        f.ClassType = &X::StaticClass();
        f.Get = [field](TObject& o) -> TObject* { return static_cast<T&>(o).*field; };
        f.Set = [field](TObject& o, TObject* v) { static_cast<T&>(o).*field = dynamic_cast<X*>(v); };
        FTable.AddField(std::move(f));
    }
    template <class M> void Method(std::wstring_view name, M method) {
        static_assert(std::is_member_function_pointer_v<M>, "a published method is a member function");
        using E = typename detail::TMethodTraits<M>::Event;
        TMethodInfo m;
        m.Name = std::wstring(name);
        m.EventType = &typeid(E);
        m.Bind = [method](TObject& o) {
            T* self = &static_cast<T&>(o);
            return std::any(E([self, method](auto&&... args) -> decltype(auto) {
                return std::invoke(method, self, std::forward<decltype(args)>(args)...);
            }));
        };
        FTable.AddMethod(std::move(m));
    }

private:
    // Integers and enumerations: the value converts to and from int32 with static_cast.
    template <class G, class S> void AddOrdinal(TPropInfo p, G get, S set) {
        using V = detail::ValueOf<T, G>;
        p.GetOrd = [get](TObject& o) { return static_cast<std::int32_t>(detail::GetValue<T>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TObject& o, std::int32_t v) { detail::PutValue<T>(set, o, static_cast<V>(v)); };
        FTable.AddProp(std::move(p));
    }
    static TPropInfo Make(std::wstring_view name, TTypeKind kind) {
        TPropInfo p;
        p.Name = std::wstring(name);
        p.Kind = kind;
        return p;
    }
    TPropTable& FTable;
};

namespace detail {
template <class T> void PublishThunk(TPropTable& table) {
    if constexpr (requires(TPublisher<T> & p) { T::Publish(p); }) {
        TPublisher<T> publisher(table);
        T::Publish(publisher);
    }
}
} // namespace detail

// A handler calling a member function of an object, for assigning events from code.
template <class C, class R, class... A> std::function<R(A...)> Bind(C* self, R (C::*method)(A...)) {
    return [self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); };
}

#define ORVO_WIDE_(s) L##s
#define ORVO_WIDE(s) ORVO_WIDE_(s)
#define ORVO_CONCAT_(a, b) a##b
#define ORVO_CONCAT(a, b) ORVO_CONCAT_(a, b)

// The class info of Class (declared with ORVO_CLASS) and its registration under its name.
#define ORVO_IMPLEMENT_CLASS(Class)                                                                          \
    const ::orvo::TClassInfo& Class::StaticClass() noexcept {                                                \
        static constinit ::orvo::TClassInfo info(ORVO_WIDE(#Class), &Class::inherited::StaticClass,          \
                                                 ::orvo::detail::FactoryOf<Class>(),                         \
                                                 &::orvo::detail::PublishThunk<Class>);                      \
        return info;                                                                                         \
    }                                                                                                        \
    [[maybe_unused]] static const bool ORVO_CONCAT(orvoRegistered, __LINE__) =                               \
        ::orvo::RegisterClassInfo(Class::StaticClass())

} // namespace orvo
