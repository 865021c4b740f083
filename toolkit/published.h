#pragma once
// Published properties: each class declares once, in declaration order, the properties that stored
// layouts read and write, on top of its base class's table. One declaration serves reading and writing.
//
//   class TBox : public TComponent {
//   public:
//       explicit TBox(TComponent* AOwner);
//       static const TClassInfo& StaticClass();
//       const TClassInfo& ClassInfo() const override { return StaticClass(); }
//       int Width() const { return FWidth; }
//       void SetWidth(int Value);
//       TFont& Font() { return FFont; }
//       TNotifyEvent OnClick;
//   private:
//       int FWidth = 0;
//       bool FFlat = false;
//       TAlignment FAlignment = taLeft;
//       TBoundLabel* FLabel = nullptr; // owned, SetSubComponent(true)
//       ...
//   };
//
//   const TEnumInfo& AlignmentIdents() {
//       static const TEnumInfo info(L"TAlignment", {{taLeft, L"taLeft"}, {taRight, L"taRight"}});
//       return info;
//   }
//
//   const TClassInfo& TBox::StaticClass() {
//       static const TClassInfo info =
//           TClassBuilder<TBox>(L"TBox", TComponent::StaticClass())
//               .Integer(L"Width", &TBox::Width, &TBox::SetWidth)          // no default: always written
//               .Boolean(L"Flat", &TBox::FFlat, &TBox::FFlat, false)       // field both ways, default False
//               .Enum(L"Alignment", AlignmentIdents(), &TBox::FAlignment, &TBox::SetAlignment, taLeft)
//               .Object(L"Font", &TBox::Font)                              // stored as Font.Name, ...
//               .SubComponent(L"AutoLabel", &TBox::FLabel)                 // AutoLabel.Caption, ...
//               .Event(L"OnClick", &TBox::OnClick);                        // OnClick = btnGoClick
//       return info;
//   }
//
// A form publishes its handlers (bound by name from event properties: OnClick = btnGoClick) and the
// component fields a layout fills by name:
//
//   const TClassInfo& TMainForm::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TMainForm>(L"TMainForm", TForm::StaticClass())
//                                          .Method(L"btnGoClick", &TMainForm::btnGoClick)
//                                          .Field(L"edtUser", &TMainForm::edtUser); // TmcEdit* edtUser
//       return info;
//   }
//
// Readers are getters, fields or any callable taking the object; writers are Set… methods taking the
// value, fields, callables taking the object and the value, or nullptr for a read-only property. A
// getter overloaded on const is fine for Object and SubComponent; for the other kinds pick one with a
// static_cast or a lambda. Defaults: a trailing argument; without one the property is always written.
// Modifiers apply to the property declared just before: .Idents(names) lets an Integer be written by
// name, .NotStored() and .Stored(predicate) keep it out of layouts. Every class a layout names must be
// registered first: RegisterComponentClasses<TLabel, TmcEdit>() (class_registry.h).
#include "component.h"
#include "graphics.h"

#include <any>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

enum class TPropKind { Integer, Boolean, String, Enum, Set, Color, Object, SubComponent, Event };

// Names of the values of an enumeration, of the elements of a set (each a bit mask), or of the special
// values of an integer (colours, character sets). Names compare without regard to ASCII case.
class TEnumInfo {
public:
    struct TEntry {
        long long Value;
        std::wstring Name;
    };
    TEnumInfo(std::wstring TypeName, std::initializer_list<TEntry> Entries)
        : FTypeName(std::move(TypeName)), FEntries(Entries) {}

    const std::wstring& TypeName() const { return FTypeName; }
    const std::vector<TEntry>& Entries() const { return FEntries; }
    // The first name given to Value, or null.
    const std::wstring* NameOf(long long Value) const;
    std::optional<long long> ValueOf(std::wstring_view Name) const;

private:
    std::wstring FTypeName;
    std::vector<TEntry> FEntries;
};

// A handler bound by name: an event's value that remembers the name of the handler it was bound to, so
// that a layout writer can write the name back.
template <class F> struct TNamedHandler {
    std::wstring Name;
    F Call;
    template <class... A> decltype(auto) operator()(A&&... Args) const {
        return Call(std::forward<A>(Args)...);
    }
};

template <class F> F NamedHandler(std::wstring Name, F Handler) {
    return F(TNamedHandler<F>{std::move(Name), std::move(Handler)});
}

// The name Handler was bound by; empty for an empty handler or one assigned in code.
template <class F> std::wstring HandlerName(const F& Handler) {
    const auto* named = Handler.template target<TNamedHandler<F>>();
    return named ? named->Name : std::wstring();
}

// One published property. The functions take the object whose table holds the property.
struct TPropInfo {
    std::wstring Name;
    TPropKind Kind = TPropKind::Integer;
    // Enum and Set: the names; Integer: optional names of special values; Color: the colour names.
    const TEnumInfo* Idents = nullptr;
    std::optional<long long> OrdinalDefault;                    // Integer, Boolean, Enum, Set, Color
    std::optional<std::wstring> StringDefault;                  // String
    long long MinValue = std::numeric_limits<long long>::min(); // Integer and Color
    long long MaxValue = std::numeric_limits<long long>::max();

    std::function<long long(TPersistent&)> GetOrdinal;
    std::function<void(TPersistent&, long long)> SetOrdinal;
    std::function<std::wstring(TPersistent&)> GetString;
    std::function<void(TPersistent&, const std::wstring&)> SetString;
    std::function<TPersistent*(TPersistent&)> ObjectOf;            // Object and SubComponent
    std::function<std::wstring(TPersistent&)> HandlerNameOf;       // Event
    std::function<bool(TPersistent&, const std::any&)> SetHandler; // false: the handler has another type
    std::function<bool(TPersistent&)> IsStored;                    // empty: always stored

    bool HasDefault() const { return OrdinalDefault.has_value() || StringDefault.has_value(); }
    bool IsReadOnly() const;
    bool IsOrdinal() const;
};

// A handler a form publishes: Bind makes the event value for the form given as Self.
struct TMethodInfo {
    std::wstring Name;
    std::function<std::any(TPersistent& Self)> Bind;
};

// A component field of a form, filled when a layout creates the component of that name and cleared
// when the component leaves the form.
struct TFieldInfo {
    std::wstring Name;
    std::function<TComponent*(TPersistent& Self)> Get;
    std::function<bool(TPersistent& Self, TComponent* Value)> Set; // false: the component does not fit
};

class TClassInfo;

// What a class table holds; TClassInfo is its handle.
struct TClassData {
    std::wstring Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Properties;
    std::vector<TMethodInfo> Methods;
    std::vector<TFieldInfo> Fields;
    std::function<TComponent*(TComponent*)> Create;
};

// A class's table. It is a handle to data that is never freed, so that components destroyed while the
// program's static objects are destroyed can still read the tables of their classes; the handle itself
// has nothing to destroy.
class TClassInfo {
public:
    TClassInfo(std::wstring Name, const TClassInfo* Parent);

    const std::wstring& Name() const { return FData->Name; }
    const TClassInfo* Parent() const { return FData->Parent; }
    bool InheritsFrom(const TClassInfo& Other) const;

    // Every published property, the base class's first; a property declared again by a derived class
    // keeps the base's place.
    const std::vector<TPropInfo>& Properties() const { return FData->Properties; }
    const TPropInfo* FindProperty(std::wstring_view Name) const;
    const TMethodInfo* FindMethod(std::wstring_view Name) const;
    const std::vector<TFieldInfo>& Fields() const { return FData->Fields; }
    const TFieldInfo* FindField(std::wstring_view Name) const;

    // Components of a class that is not abstract and takes an owner can be created by name.
    bool CanCreate() const { return bool(FData->Create); }
    TComponent* Create(TComponent* AOwner) const;

private:
    template <class C> friend class TClassBuilder;
    // Returns the property's index: a redeclared property takes the place of the base's.
    size_t AddProperty(TPropInfo Info);

    TClassData* FData;
};
static_assert(std::is_trivially_destructible_v<TClassInfo>, "class tables outlive every static object");

namespace published_detail {

template <class C, class G> decltype(auto) Read(TPersistent& Obj, const G& Get) {
    return std::invoke(Get, static_cast<C&>(Obj));
}

template <class C, class G> using ValueOf = std::remove_cvref_t<std::invoke_result_t<const G&, C&>>;

template <class C, class S, class V> void Write(TPersistent& Obj, const S& Set, V&& Value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        std::invoke(Set, static_cast<C&>(Obj)) = std::forward<V>(Value);
    else
        std::invoke(Set, static_cast<C&>(Obj), std::forward<V>(Value));
}

template <class T> TPersistent* AsObject(T&& Value) {
    using V = std::remove_cvref_t<T>;
    if constexpr (std::is_pointer_v<V>)
        return const_cast<std::remove_const_t<std::remove_pointer_t<V>>*>(Value);
    else
        return const_cast<V*>(&Value);
}

} // namespace published_detail

// Builds the table of class C on top of its base class's table, in declaration order.
template <class C> class TClassBuilder {
public:
    TClassBuilder(std::wstring Name, const TClassInfo& Parent) : FInfo(std::move(Name), &Parent) {
        if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                      std::is_constructible_v<C, TComponent*>)
            FInfo.FData->Create = [](TComponent* AOwner) -> TComponent* { return new C(AOwner); };
    }

    operator TClassInfo() const { return FInfo; }

    template <class G, class S>
    TClassBuilder& Integer(std::wstring Name, G Get, S Set, std::optional<long long> Default = std::nullopt) {
        using T = published_detail::ValueOf<C, G>;
        static_assert(std::is_integral_v<T>, "Integer properties read an integral value");
        TPropInfo p = Ordinal<T>(TPropKind::Integer, std::move(Name), Get, Set, Default);
        p.MinValue = static_cast<long long>(std::numeric_limits<T>::min());
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(long long))
            p.MaxValue = std::numeric_limits<long long>::max();
        else
            p.MaxValue = static_cast<long long>(std::numeric_limits<T>::max());
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Boolean(std::wstring Name, G Get, S Set, std::optional<bool> Default = std::nullopt) {
        using T = published_detail::ValueOf<C, G>;
        std::optional<long long> def;
        if (Default) def = *Default ? 1 : 0;
        return Add(Ordinal<T>(TPropKind::Boolean, std::move(Name), Get, Set, def));
    }

    template <class G, class S>
    TClassBuilder& String(std::wstring Name, G Get, S Set,
                          std::optional<std::wstring> Default = std::nullopt) {
        TPropInfo p;
        p.Name = std::move(Name);
        p.Kind = TPropKind::String;
        p.StringDefault = std::move(Default);
        p.GetString = [Get](TPersistent& Obj) { return std::wstring(published_detail::Read<C>(Obj, Get)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetString = [Set](TPersistent& Obj, const std::wstring& Value) {
                published_detail::Write<C>(Obj, Set, Value);
            };
        return Add(std::move(p));
    }

    // An enumeration stored by the names in Idents.
    template <class G, class S>
    TClassBuilder& Enum(std::wstring Name, const TEnumInfo& Idents, G Get, S Set,
                        std::optional<long long> Default = std::nullopt) {
        using T = published_detail::ValueOf<C, G>;
        TPropInfo p = Ordinal<T>(TPropKind::Enum, std::move(Name), Get, Set, Default);
        p.Idents = &Idents;
        return Add(std::move(p));
    }

    // A set of bits stored as [a, b], with the element names and bit masks in Idents.
    template <class G, class S>
    TClassBuilder& Set(std::wstring Name, const TEnumInfo& Idents, G Get, S Set,
                       std::optional<long long> Default = std::nullopt) {
        using T = published_detail::ValueOf<C, G>;
        TPropInfo p = Ordinal<T>(TPropKind::Set, std::move(Name), Get, Set, Default);
        p.Idents = &Idents;
        return Add(std::move(p));
    }

    // A TColor stored by its name when it has one, as a number otherwise.
    template <class G, class S>
    TClassBuilder& Color(std::wstring Name, G Get, S Set, std::optional<TColor> Default = std::nullopt) {
        using T = published_detail::ValueOf<C, G>;
        std::optional<long long> def;
        if (Default) def = static_cast<long long>(*Default);
        TPropInfo p = Ordinal<T>(TPropKind::Color, std::move(Name), Get, Set, def);
        p.Idents = &ColorIdents();
        p.MinValue = std::numeric_limits<std::int32_t>::min();
        p.MaxValue = std::numeric_limits<std::uint32_t>::max();
        return Add(std::move(p));
    }

    // A nested object (a font, a style) whose own properties are stored under Name as a prefix. A getter
    // overloaded on const (TFont& Font() and const TFont& Font() const) is taken by its non-const form.
    template <class G> TClassBuilder& Object(std::wstring Name, G Get) {
        return Add(Nested(TPropKind::Object, std::move(Name), Get));
    }
    template <class Base, class T> TClassBuilder& Object(std::wstring Name, T& (Base::*Get)()) {
        return Add(Nested(TPropKind::Object, std::move(Name), Get));
    }

    // An owned component marked as a sub-component, stored under Name as a prefix, never on its own.
    template <class G> TClassBuilder& SubComponent(std::wstring Name, G Get) {
        return Add(Nested(TPropKind::SubComponent, std::move(Name), Get));
    }
    template <class Base, class T> TClassBuilder& SubComponent(std::wstring Name, T* (Base::*Get)()) {
        return Add(Nested(TPropKind::SubComponent, std::move(Name), Get));
    }

    // An event, a std::function field or getter and setter, bound by handler name.
    template <class M> TClassBuilder& Event(std::wstring Name, M Member) {
        return Event(std::move(Name), Member, Member);
    }

    template <class G, class S> TClassBuilder& Event(std::wstring Name, G Get, S Set) {
        using F = published_detail::ValueOf<C, G>;
        TPropInfo p;
        p.Name = std::move(Name);
        p.Kind = TPropKind::Event;
        p.HandlerNameOf = [Get](TPersistent& Obj) {
            return HandlerName<F>(published_detail::Read<C>(Obj, Get));
        };
        p.SetHandler = [Set](TPersistent& Obj, const std::any& Handler) {
            const F* f = std::any_cast<F>(&Handler);
            if (!f) return false;
            published_detail::Write<C>(Obj, Set, *f);
            return true;
        };
        return Add(std::move(p));
    }

    // Modifiers of the property declared last.
    TClassBuilder& Idents(const TEnumInfo& Names) {
        Last().Idents = &Names;
        return *this;
    }
    TClassBuilder& NotStored() {
        Last().IsStored = [](TPersistent&) { return false; };
        return *this;
    }
    template <class P> TClassBuilder& Stored(P Predicate) {
        Last().IsStored = [Predicate](TPersistent& Obj) {
            return bool(published_detail::Read<C>(Obj, Predicate));
        };
        return *this;
    }

    // A handler of the form that layouts name in event properties (OnClick = btnGenerateClick).
    template <class Base, class R, class... A>
    TClassBuilder& Method(std::wstring Name, R (Base::*Handler)(A...)) {
        using F = std::function<R(A...)>;
        TMethodInfo m;
        m.Name = Name;
        m.Bind = [Name, Handler](TPersistent& Self) -> std::any {
            C* self = &static_cast<C&>(Self);
            return NamedHandler<F>(
                Name, [self, Handler](A... Args) -> R { return (self->*Handler)(std::forward<A>(Args)...); });
        };
        FInfo.FData->Methods.push_back(std::move(m));
        return *this;
    }

    // A component field of the form that the layout's component of the same name fills.
    template <class Base, class T> TClassBuilder& Field(std::wstring Name, T* Base::*Member) {
        static_assert(std::is_base_of_v<TComponent, T>, "fields hold components");
        TFieldInfo f;
        f.Name = std::move(Name);
        f.Get = [Member](TPersistent& Self) -> TComponent* { return static_cast<C&>(Self).*Member; };
        f.Set = [Member](TPersistent& Self, TComponent* Value) {
            T* typed = Value ? dynamic_cast<T*>(Value) : nullptr;
            if (Value && !typed) return false;
            static_cast<C&>(Self).*Member = typed;
            return true;
        };
        FInfo.FData->Fields.push_back(std::move(f));
        return *this;
    }

private:
    template <class T, class G, class S>
    static TPropInfo Ordinal(TPropKind Kind, std::wstring Name, G Get, S Set,
                             std::optional<long long> Default) {
        TPropInfo p;
        p.Name = std::move(Name);
        p.Kind = Kind;
        p.OrdinalDefault = Default;
        p.GetOrdinal = [Get](TPersistent& Obj) {
            return static_cast<long long>(published_detail::Read<C>(Obj, Get));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrdinal = [Set](TPersistent& Obj, long long Value) {
                published_detail::Write<C>(Obj, Set, static_cast<T>(Value));
            };
        return p;
    }

    template <class G> static TPropInfo Nested(TPropKind Kind, std::wstring Name, G Get) {
        TPropInfo p;
        p.Name = std::move(Name);
        p.Kind = Kind;
        p.ObjectOf = [Get](TPersistent& Obj) {
            return published_detail::AsObject(published_detail::Read<C>(Obj, Get));
        };
        return p;
    }

    TClassBuilder& Add(TPropInfo Info) {
        FLast = FInfo.AddProperty(std::move(Info));
        return *this;
    }
    TPropInfo& Last() { return FInfo.FData->Properties.at(FLast); }

    TClassInfo FInfo;
    size_t FLast = 0;
};
