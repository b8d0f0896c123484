// Method values and typed events.
//
// A method value (TMethod) is what an event property holds: Code points at a typed trampoline that calls
// a member function, Data at the object. Null Code means no handler. Event types are declared with
// FW_EVENT_TYPE, which also gives them a type record with parameter names and types:
//
//     FW_EVENT_TYPE(TNotifyEvent, void(TObject* Sender));
//     FW_EVENT_TYPE(TKeyPressEvent, void(TObject* Sender, char& Key));
//
//     button->OnClick = TNotifyEvent::Bind<&TForm1::Button1Click>(form);
//     if (OnClick) OnClick(this);
#pragma once

#include "rtti/TypeInfo.h"

#include <type_traits>

#pragma GCC visibility push(default)

struct TMethod {
    void* Code = nullptr;
    void* Data = nullptr;

    explicit operator bool() const { return Code != nullptr; }
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

template <auto Member> struct TMemberTraits;
template <class C, class R, class... A, R (C::*Member)(A...)> struct TMemberTraits<Member> {
    using Class = C;
    using Signature = R(A...);
    static R Thunk(void* self, A... args) { return (static_cast<C*>(self)->*Member)(args...); }
};

// The code pointer of a member function, as stored in a TMethod; the Data of such a method value must
// point at the C sub-object, which for the framework's single-inheritance classes is the object itself.
template <auto Member> void* MethodCode() {
    return reinterpret_cast<void*>(&TMemberTraits<Member>::Thunk);
}

template <class Self, class Signature> class TEvent;

template <class Self, class R, class... A> class TEvent<Self, R(A...)> {
public:
    using Signature = R(A...);

    TEvent() = default;
    explicit TEvent(const TMethod& method) : FMethod(method) {}

    template <auto Member> static Self Bind(typename TMemberTraits<Member>::Class* object) {
        static_assert(std::is_same_v<typename TMemberTraits<Member>::Signature, Signature>,
                      "the handler's signature does not match the event");
        Self e;
        e.FMethod = TMethod{MethodCode<Member>(), object};
        return e;
    }

    const TMethod& Method() const { return FMethod; }
    void SetMethod(const TMethod& m) { FMethod = m; }
    explicit operator bool() const { return FMethod.Code != nullptr; }
    void Clear() { FMethod = {}; }

    R operator()(A... args) const {
        auto code = reinterpret_cast<R (*)(void*, A...)>(FMethod.Code);
        return code(FMethod.Data, args...);
    }

private:
    TMethod FMethod;
};

#define FW_EVENT_TYPE(Name, ...)                                                                             \
    struct Name : TEvent<Name, __VA_ARGS__> {                                                                \
        using TEvent<Name, __VA_ARGS__>::TEvent;                                                             \
        static const TTypeInfo* TypeInfo() {                                                                 \
            static const TTypeInfo info = MakeMethodType(#Name, #__VA_ARGS__, typeid(__VA_ARGS__));          \
            return &info;                                                                                    \
        }                                                                                                    \
    }

FW_EVENT_TYPE(TNotifyEvent, void(TObject* Sender));

#pragma GCC visibility pop
