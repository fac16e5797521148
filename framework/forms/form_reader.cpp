#include "framework/forms/form_reader.h"

#include "framework/base/collection.h"
#include "framework/base/exceptions.h"
#include "framework/forms/form_parser.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"

#include <algorithm>

namespace orvo {

// Applies a parsed form to a root component (a friend of TComponent for its state flags).
class TFormReader {
public:
    explicit TFormReader(TComponent* root) : FRoot(root) {}

    void Read(const TFormObject& form) {
        CheckRootClass(form);
        FRoot->SetState(csLoading, true);
        FRoot->SetState(csReading, true);
        try {
            if (!form.Name.empty()) Guard(form.Line, [&] { FRoot->SetName(UniqueRootName(form.Name)); });
            ReadData(FRoot, form);
            ResolveReferences();
            CheckFields();
        } catch (...) {
            Undo();
            throw;
        }
        FRoot->SetState(csReading, false);
        for (TComponent* c : FCreated)
            c->SetState(csReading, false);
        CallLoaded();
    }

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Info;
        std::wstring Target;
        std::wstring Context; // "Line 4: fMainWin.Menu"
    };

    template <class F> static void Guard(int line, F&& action) {
        try {
            action();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            throw EReadError(L"Line " + IntToStr(line) + L": " + e.Message());
        }
    }

    void CheckRootClass(const TFormObject& form) const {
        for (const TClassInfo* c = &FRoot->ClassInfo(); c; c = c->Parent())
            if (SameText(c->Name(), form.ClassName)) return;
        throw EReadError(L"Line " + IntToStr(form.Line) + L": the stored form describes a " + form.ClassName +
                         L", not a " + std::wstring(FRoot->ClassName()));
    }

    void ReadData(TComponent* instance, const TFormObject& form) {
        for (const TFormProperty& p : form.Properties)
            ReadProperty(instance, p);
        for (const TFormObject& child : form.Children)
            ReadChild(instance, child);
    }

    void ReadChild(TComponent* parent, const TFormObject& form) {
        const TClassInfo* cls = nullptr;
        Guard(form.Line, [&] {
            cls = &GetClass(form.ClassName);
            if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
                throw EReadError(L"Line " + IntToStr(form.Line) + L": class " + form.ClassName +
                                 L" cannot be created by name");
        });
        TComponent* component = nullptr;
        Guard(form.Line, [&] { component = cls->Create(FRoot); });
        FCreated.push_back(component);
        component->SetState(csLoading, true);
        component->SetState(csReading, true);
        Guard(form.Line, [&] {
            component->SetName(form.Name);
            component->SetParentComponent(parent);
        });
        ReadData(component, form);
    }

    // A second form of one class with the same owner (MDI children of one frame) gets the stored
    // name with "_1", "_2", ... so that names stay unique among the owner's components.
    std::wstring UniqueRootName(const std::wstring& name) const {
        TComponent* owner = FRoot->Owner();
        const auto taken = [&](const std::wstring& candidate) {
            TComponent* other = owner ? owner->FindComponent(candidate) : nullptr;
            return other && other != FRoot;
        };
        if (!taken(name)) return name;
        for (int n = 1;; ++n)
            if (std::wstring candidate = name + L"_" + IntToStr(n); !taken(candidate)) return candidate;
    }

    std::wstring DisplayName(const TComponent* c) const {
        if (!c->Name().empty()) return c->Name();
        return L"(" + std::wstring(c->ClassName()) + L")";
    }

    void ReadProperty(TComponent* component, const TFormProperty& p) {
        ReadProperty(component, p, DisplayName(component) + L"." + p.Path);
    }

    // `where` names the property for messages: "StatusBar1.Panels[2].Text".
    void ReadProperty(TObject* instance, const TFormProperty& p, const std::wstring& where) {
        const std::wstring context = L"Line " + IntToStr(p.Line) + L": " + where;
        try {
            ApplyPath(instance, p, context);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            throw EReadError(context + L": " + e.Message());
        }
    }

    [[noreturn]] static void Fail(const std::wstring& context, const std::wstring& message) {
        throw EReadError(context + L": " + message);
    }

    void ApplyPath(TObject* instance, const TFormProperty& p, const std::wstring& context) {
        std::wstring_view path = p.Path;
        while (true) {
            const std::size_t dot = path.find(L'.');
            const std::wstring_view name = path.substr(0, dot);
            const TPropInfo* info = instance->ClassInfo().Properties().FindProp(name);
            if (!info)
                Fail(context, L"property " + std::wstring(name) + L" does not exist in " +
                                  std::wstring(instance->ClassName()));
            if (dot == std::wstring_view::npos) {
                Apply(instance, *info, p.Value, context);
                return;
            }
            if (info->Kind != TTypeKind::Class && info->Kind != TTypeKind::Collection)
                Fail(context, std::wstring(name) + L" holds no object");
            TObject* next = info->GetObj(*instance);
            if (!next) Fail(context, std::wstring(name) + L" is not assigned");
            instance = next;
            path.remove_prefix(dot + 1);
        }
    }

    void Apply(TObject* instance, const TPropInfo& info, const TFormValue& value,
               const std::wstring& context) {
        if (!info.IsWritable()) Fail(context, L"property is read-only");
        switch (info.Kind) {
        case TTypeKind::Integer:
            return info.SetOrd(*instance, IntegerValue(info, value, context));
        case TTypeKind::Enumeration:
            return info.SetOrd(*instance, EnumValue(*info.EnumType, Ident(value, context), context));
        case TTypeKind::Set:
            return info.SetOrd(*instance, static_cast<std::int32_t>(SetValue(info, value, context)));
        case TTypeKind::String:
            if (value.Kind != TFormValueKind::String) Fail(context, L"a string is expected");
            return info.SetStr(*instance, value.Text);
        case TTypeKind::Class:
            return ApplyReference(instance, info, Ident(value, context), context);
        case TTypeKind::StringList:
            return info.SetList(*instance, ListValue(value, context));
        case TTypeKind::Method:
            return info.SetEvent(*instance, Handler(info, Ident(value, context), context));
        case TTypeKind::Binary: {
            if (value.Kind != TFormValueKind::Binary) Fail(context, L"binary data { ... } is expected");
            TMemoryStream data;
            data.WriteBuffer(value.Bytes.data(), static_cast<std::int64_t>(value.Bytes.size()));
            data.SetPosition(0);
            return info.ReadData(*instance, data);
        }
        case TTypeKind::Collection:
            return ApplyCollection(instance, info, value, context);
        }
    }

    // The collection's items are replaced by those of the text, each with its properties.
    void ApplyCollection(TObject* instance, const TPropInfo& info, const TFormValue& value,
                         const std::wstring& context) {
        if (value.Kind != TFormValueKind::Collection)
            Fail(context, L"a collection < item ... end > is expected");
        auto* collection = dynamic_cast<TCollection*>(info.GetObj(*instance));
        if (!collection) Fail(context, L"the collection is not assigned");
        const std::wstring where = context.substr(context.find(L": ") + 2);
        TCollectionUpdate batch(*collection);
        DropFixupsInto(*collection);
        collection->Clear();
        for (std::size_t i = 0; i < value.CollectionItems.size(); ++i) {
            const TFormCollectionItem& item = value.CollectionItems[i];
            TCollectionItem* target = nullptr;
            try {
                target = collection->Add();
            } catch (const Exception& e) {
                Fail(L"Line " + IntToStr(item.Line) + L": " + where, e.Message());
            }
            const std::wstring itemWhere = where + L"[" + IntToStr(static_cast<int>(i)) + L"].";
            for (const TFormProperty& p : item.Properties)
                ReadProperty(target, p, itemWhere + p.Path);
        }
    }

    // References waiting to be set on items that a collection is about to free (the same
    // collection given twice).
    void DropFixupsInto(const TCollection& collection) {
        std::vector<const TObject*> doomed;
        CollectItems(collection, doomed);
        std::erase_if(FFixups, [&](const TFixup& f) {
            return std::find(doomed.begin(), doomed.end(), f.Instance) != doomed.end();
        });
    }

    static void CollectItems(const TCollection& collection, std::vector<const TObject*>& items) {
        for (int i = 0; i < collection.Count(); ++i) {
            TCollectionItem* item = collection.Items(i);
            items.push_back(item);
            for (const TPropInfo* p : item->ClassInfo().Properties().Props()) {
                if (p->Kind == TTypeKind::Class) {
                    // A held object (a font) dies with the item; a component is only referred to.
                    TObject* held = p->GetObj(*item);
                    if (held && !held->InheritsFrom<TComponent>()) items.push_back(held);
                } else if (p->Kind == TTypeKind::Collection) {
                    if (auto* inner = dynamic_cast<TCollection*>(p->GetObj(*item)))
                        CollectItems(*inner, items);
                }
            }
        }
    }

    static const std::wstring& Ident(const TFormValue& value, const std::wstring& context) {
        if (value.Kind != TFormValueKind::Ident) Fail(context, L"an identifier is expected");
        return value.Text;
    }

    static std::int32_t IntegerValue(const TPropInfo& info, const TFormValue& value,
                                     const std::wstring& context) {
        if (value.Kind == TFormValueKind::Integer) return value.Integer;
        const std::wstring& ident = Ident(value, context);
        if (auto v = info.IntType ? info.IntType->IdentToInt(ident) : std::nullopt) return *v;
        Fail(context, L"'" + ident + L"' is not a valid " + std::wstring(info.IntType->Name()) + L" value");
    }

    static std::int32_t EnumValue(const TEnumType& type, const std::wstring& ident,
                                  const std::wstring& context) {
        if (auto v = type.Value(ident)) return *v;
        Fail(context, L"'" + ident + L"' is not a member of " + std::wstring(type.Name()));
    }

    static std::uint32_t SetValue(const TPropInfo& info, const TFormValue& value,
                                  const std::wstring& context) {
        if (value.Kind != TFormValueKind::Set) Fail(context, L"a set [ ... ] is expected");
        std::uint32_t bits = 0;
        for (const std::wstring& member : value.Idents)
            bits |= std::uint32_t{1} << EnumValue(*info.EnumType, member, context);
        return bits;
    }

    static std::vector<std::wstring> ListValue(const TFormValue& value, const std::wstring& context) {
        if (value.Kind != TFormValueKind::List) Fail(context, L"a list ( ... ) of strings is expected");
        std::vector<std::wstring> lines;
        lines.reserve(value.Items.size());
        for (const TFormValue& item : value.Items) {
            if (item.Kind != TFormValueKind::String)
                Fail(L"Line " + IntToStr(item.Line) + context.substr(context.find(L':')),
                     L"a string is expected");
            lines.push_back(item.Text);
        }
        return lines;
    }

    void ApplyReference(TObject* instance, const TPropInfo& info, const std::wstring& target,
                        const std::wstring& context) {
        if (SameText(target, L"nil"))
            info.SetObj(*instance, nullptr);
        else
            FFixups.push_back({instance, &info, target, context});
    }

    std::any Handler(const TPropInfo& info, const std::wstring& name, const std::wstring& context) const {
        if (SameText(name, L"nil")) return {};
        const TMethodInfo* method = FRoot->ClassInfo().Properties().FindMethod(name);
        if (!method)
            Fail(context, L"method " + name + L" is not published by " + std::wstring(FRoot->ClassName()));
        if (*method->EventType != *info.EventType)
            Fail(context, L"method " + name + L" is " + TypeDisplayName(*method->EventType) +
                              L" but the event is " + TypeDisplayName(*info.EventType));
        return method->Bind(*FRoot);
    }

    void ResolveReferences() {
        for (const TFixup& f : FFixups) {
            TComponent* target = SameText(f.Target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Target);
            if (!target) Fail(f.Context, L"component " + f.Target + L" not found");
            if (!target->InheritsFrom(*f.Info->ClassType))
                Fail(f.Context, f.Target + L" is a " + std::wstring(target->ClassName()) + L", not a " +
                                    std::wstring(f.Info->ClassType->Name()));
            try {
                f.Info->SetObj(*f.Instance, target);
            } catch (const Exception& e) {
                Fail(f.Context, e.Message());
            }
        }
    }

    void CheckFields() const {
        for (const TFieldInfo* field : FRoot->ClassInfo().Properties().Fields()) {
            const TComponent* c = FRoot->FindComponent(field->Name);
            if (c && !c->InheritsFrom(*field->ClassType))
                throw EReadError(L"Field " + field->Name + L" of " + std::wstring(FRoot->ClassName()) +
                                 L" is a " + std::wstring(field->ClassType->Name()) +
                                 L" but the component is a " + std::wstring(c->ClassName()));
        }
    }

    void Undo() noexcept {
        while (!FCreated.empty()) {
            TComponent* c = FCreated.back();
            FCreated.pop_back();
            delete c;
        }
        FRoot->SetState(csReading, false);
        FRoot->SetState(csLoading, false);
    }

    void CallLoaded() {
        std::size_t next = 0;
        try {
            for (; next < FCreated.size(); ++next) {
                FCreated[next]->Loaded();
                FCreated[next]->SetState(csLoading, false);
            }
            FRoot->Loaded();
            FRoot->SetState(csLoading, false);
        } catch (...) {
            // What Loaded did not reach is still usable, just not loading any more.
            for (; next < FCreated.size(); ++next)
                FCreated[next]->SetState(csLoading, false);
            FRoot->SetState(csLoading, false);
            throw;
        }
    }

    TComponent* FRoot;
    std::vector<TComponent*> FCreated; // in the order of the text
    std::vector<TFixup> FFixups;
};

void ReadForm(TComponent* root, const TFormObject& form) {
    if (!root) throw EReadError(L"No component to read the stored form into");
    TFormReader(root).Read(form);
}

void ReadFormText(TComponent* root, std::string_view utf8) {
    ReadForm(root, ParseForm(utf8));
}

void ReadFormStream(TComponent* root, TStream& stream) {
    const std::int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    ReadFormText(root, text);
}

std::wstring FormResourceName(const TClassInfo& cls) {
    return UpperCase(cls.Name());
}

bool ReadComponentRes(TComponent* root, HMODULE instance) {
    if (!root) throw EReadError(L"No component to read the stored form into");
    if (!instance) instance = GetModuleHandleW(nullptr);
    const std::wstring name = FormResourceName(root->ClassInfo());
    if (!FindResourceW(instance, name.c_str(), RT_RCDATA)) return false;
    TResourceStream stream(instance, name, RT_RCDATA);
    const auto* data = reinterpret_cast<const char*>(stream.Memory());
    ReadFormText(root, std::string_view(data, static_cast<std::size_t>(stream.Size())));
    return true;
}

} // namespace orvo
