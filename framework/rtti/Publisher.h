// The publishing block of a class: FW_PUBLISH(Class) { ... } lists the class's published properties,
// events, methods and fields, in declaration order. `p` is the block's TPublisher:
//
//     FW_PUBLISH(TControl) {
//         p.Property("Left", &TControl::Left, &TControl::SetLeft);          // getter and setter members
//         p.Property("Tag", &TControl::FTag);                               // a field, read and written
//         p.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
//         p.Property("Hint", &TControl::Hint, &TControl::SetHint).Stored(&TControl::IsHintStored);
//         p.Event("OnClick", &TControl::FOnClick);
//     }
//     FW_PUBLISH(TForm1) {
//         FW_PUBLISH_FIELD(Button1);           // TButton* Button1: bound by the form reader
//         FW_PUBLISH_METHOD(Button1Click);     // void Button1Click(TObject*): bound to OnClick by name
//     }
//
// Getters and setters may be member functions, data members or lambdas taking the object. Setters run on
// every set, also when the value does not change.
#pragma once

#include "core/Exceptions.h"
#include "rtti/ClassInfo.h"

#include <concepts>
#include <cstring>
#include <functional>
#include <type_traits>

#pragma GCC visibility push(default)

class TComponent;

// ---- value conversion between C++ property types and the accessor categories ------------------------------

template <class T> struct TIsSet : std::false_type {};
template <class E> struct TIsSet<TSet<E>> : std::true_type {};

template <class T> struct TIsEvent {
    static constexpr bool value = requires(const T& t) {
        { t.Method() } -> std::convertible_to<TMethod>;
        typename T::Signature;
    };
};

// Which accessor pair a property of C++ type V uses.
enum class TAccessorKind { Ordinal, Float, String, Method };

template <class V> constexpr TAccessorKind AccessorKindOf() {
    if constexpr (TIsEvent<V>::value)
        return TAccessorKind::Method;
    else if constexpr (std::is_base_of_v<std::string, V>)
        return TAccessorKind::String;
    else if constexpr (std::is_floating_point_v<V> ||
                       requires(V v) { requires std::is_floating_point_v<decltype(v.Value)>; })
        return TAccessorKind::Float;
    else
        return TAccessorKind::Ordinal;
}

template <class V> int64_t ToOrdinal(const V& v) {
    if constexpr (TIsSet<V>::value)
        return static_cast<int64_t>(v.Bits());
    else if constexpr (std::is_pointer_v<V>)
        return static_cast<int64_t>(reinterpret_cast<intptr_t>(static_cast<TObject*>(v)));
    else
        return static_cast<int64_t>(v);
}

template <class V> V FromOrdinal(int64_t value) {
    if constexpr (TIsSet<V>::value)
        return V::FromBits(static_cast<uint32_t>(value));
    else if constexpr (std::is_pointer_v<V>)
        return dynamic_cast<V>(reinterpret_cast<TObject*>(static_cast<intptr_t>(value)));
    else if constexpr (std::is_same_v<V, bool>)
        return value != 0;
    else
        return static_cast<V>(value);
}

// ---- the builder returned by Property(), for the optional parts of a declaration --------------------------

template <class C> class TPropBuilder {
public:
    explicit TPropBuilder(TPropInfo& info) : FInfo(info) {}

    template <class V> TPropBuilder& Default(V value) {
        FInfo.Default = ToOrdinal(value);
        return *this;
    }
    TPropBuilder& NoDefault() {
        FInfo.Default = TPropInfo::NoDefault;
        return *this;
    }
    TPropBuilder& Stored(bool stored) {
        FInfo.StoredConstant = stored;
        FInfo.StoredTest = nullptr;
        return *this;
    }
    template <class Test>
    requires std::invocable<Test, C*> TPropBuilder& Stored(Test test) {
        FInfo.StoredTest = [test](TObject* o) {
            return static_cast<bool>(std::invoke(test, static_cast<C*>(o)));
        };
        return *this;
    }
    TPropBuilder& Index(int index) {
        FInfo.Index = index;
        return *this;
    }
    // Publishes the property under another type record of the same kind (a named subtype).
    TPropBuilder& Type(const TTypeInfo* type) {
        FInfo.PropType = type;
        return *this;
    }

private:
    TPropInfo& FInfo;
};

template <class C> class TPublisher {
public:
    using Class = C;
    explicit TPublisher(TClassInfo& info) : FInfo(info) {}

    template <class Getter, class Setter> TPropBuilder<C> Property(std::string name, Getter get, Setter set) {
        return Declare<Getter, Setter, true>(std::move(name), get, set);
    }
    template <class Getter> TPropBuilder<C> Property(std::string name, Getter get) {
        if constexpr (std::is_member_object_pointer_v<Getter>)
            return Declare<Getter, Getter, true>(std::move(name), get, get);
        else
            return Declare<Getter, Getter, false>(std::move(name), get, get);
    }
    // A read-only property (a getter that is a data member is read-only here too).
    template <class Getter> TPropBuilder<C> ReadOnly(std::string name, Getter get) {
        return Declare<Getter, Getter, false>(std::move(name), get, get);
    }
    template <class Owner, class Field> TPropBuilder<C> Event(std::string name, Field Owner::*field) {
        static_assert(TIsEvent<Field>::value, "Event() takes a data member of an event type");
        static_assert(std::is_base_of_v<Owner, C>, "the event belongs to another class");
        return Declare<Field Owner::*, Field Owner::*, true>(std::move(name), field, field);
    }

    template <auto Member> void Method(std::string name) {
        using Traits = TMemberTraits<Member>;
        FInfo.AddMethod(
            TMethodEntry{std::move(name), MethodCode<Member>(), &typeid(typename Traits::Signature)});
    }

    template <class T> void Field(std::string name, T* C::*member) {
        static_assert(std::is_base_of_v<TObject, T>, "published fields point at framework objects");
        FInfo.AddField(
            TFieldEntry{std::move(name), T::StaticClass(),
                        [member](TObject* self, TObject* value) {
                            static_cast<C*>(self)->*member = dynamic_cast<T*>(value);
                        },
                        [member](TObject* self) -> TObject* { return static_cast<C*>(self)->*member; }});
    }

private:
    template <class Getter, class Setter, bool Writable>
    TPropBuilder<C> Declare(std::string name, Getter get, Setter set) {
        using V = std::remove_cvref_t<std::invoke_result_t<Getter, C*>>;
        constexpr TAccessorKind kind = AccessorKindOf<V>();
        TPropInfo info;
        info.Name = std::move(name);
        info.PropType = TypeInfoOf<V>();
        auto self = [](TObject* o) { return static_cast<C*>(o); };
        // Generic, so that its body is only compiled for writable properties: a read-only property's
        // "setter" is its getter, which cannot be called with a value.
        auto assign = [set](C* obj, auto value) {
            if constexpr (std::is_member_object_pointer_v<Setter>)
                obj->*set = std::move(value);
            else
                std::invoke(set, obj, std::move(value));
        };
        if constexpr (kind == TAccessorKind::Float) {
            info.GetFloat = [get, self](TObject* o) {
                return static_cast<Extended>(std::invoke(get, self(o)));
            };
            if constexpr (Writable)
                info.SetFloat = [assign, self](TObject* o, Extended v) { assign(self(o), V(v)); };
        } else if constexpr (kind == TAccessorKind::String) {
            info.GetStr = [get, self](TObject* o) { return std::string(std::invoke(get, self(o))); };
            if constexpr (Writable)
                info.SetStr = [assign, self](TObject* o, const std::string& v) { assign(self(o), V(v)); };
        } else if constexpr (kind == TAccessorKind::Method) {
            info.GetMethod = [get, self](TObject* o) { return TMethod(std::invoke(get, self(o)).Method()); };
            if constexpr (Writable)
                info.SetMethod = [assign, self](TObject* o, const TMethod& m) { assign(self(o), V(m)); };
        } else {
            info.GetOrd = [get, self](TObject* o) { return ToOrdinal<V>(std::invoke(get, self(o))); };
            if constexpr (Writable)
                info.SetOrd = [assign, self](TObject* o, int64_t v) { assign(self(o), FromOrdinal<V>(v)); };
        }
        return TPropBuilder<C>(FInfo.AddProperty(std::move(info)));
    }

    TClassInfo& FInfo;
};

// ---- the class record and its virtual constructor ---------------------------------------------------------

template <class C> TObject* FwConstruct(TComponent* owner) {
    if constexpr (std::is_constructible_v<C, TComponent*>)
        return new C(owner);
    else
        return new C();
}

template <class C> constexpr TClassInfo::Factory FwFactoryOf() {
    if constexpr (std::is_abstract_v<C>)
        return nullptr;
    else if constexpr (std::is_constructible_v<C, TComponent*> || std::is_default_constructible_v<C>)
        return &FwConstruct<C>;
    else
        return nullptr;
}

template <class M> struct TMemberOwner;
template <class C, class M> struct TMemberOwner<M C::*> { using Type = C; };

// Whether the class of a member pointer to Notification is a component class below TComponent: such a
// class overrides it and so hears of the insertions into and removals from its owner. Evaluated in the
// class's own scope (FW_PUBLISH), where protected overrides are accessible.
#define FW_OVERRIDES_NOTIFICATION(Class)                                                                     \
    []<class C>() {                                                                                          \
        if constexpr (requires { &C::Notification; })                                                        \
            return !std::is_same_v<typename TMemberOwner<decltype(&C::Notification)>::Type, TComponent>;     \
        else                                                                                                 \
            return false;                                                                                    \
    }.template operator()<Class>()

#define FW_PUBLISH(Class)                                                                                    \
    TClass Class::StaticClass() {                                                                            \
        static TClassInfo info(                                                                              \
            #Class, Class::inherited::StaticClass(), FwFactoryOf<Class>(),                                   \
            [](TClassInfo& ci) {                                                                             \
                TPublisher<Class> publisher(ci);                                                             \
                Class::FwPublish(publisher);                                                                 \
            },                                                                                               \
            FW_OVERRIDES_NOTIFICATION(Class));                                                               \
        return &info;                                                                                        \
    }                                                                                                        \
    void Class::FwPublish([[maybe_unused]] TPublisher<Class>& p)

#define FW_PUBLISH_FIELD(Name) p.Field(#Name, &std::remove_reference_t<decltype(p)>::Class::Name)
#define FW_PUBLISH_METHOD(Name) p.template Method<&std::remove_reference_t<decltype(p)>::Class::Name>(#Name)

#pragma GCC visibility pop
