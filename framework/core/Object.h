// TObject, the root of every framework class, and class references.
//
// A class reference (TClass) points at the class's metaclass record (TClassInfo, rtti/ClassInfo.h): its
// name, parent, virtual constructor and published members. A class declares itself with FW_CLASS in its
// body and lists its published members in one FW_PUBLISH block in its .cpp:
//
//     class TButton : public TWinControl {
//         FW_CLASS(TButton, TWinControl)
//     public:
//         explicit TButton(TComponent* owner);
//         ...
//     };
//
//     FW_PUBLISH(TButton) {
//         p.Property("Caption", &TButton::Caption, &TButton::SetCaption);
//         p.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
//         p.Event("OnClick", &TButton::FOnClick);
//     }
#pragma once

#include <string>

#pragma GCC visibility push(default)

struct TClassInfo;
using TClass = const TClassInfo*;
template <class C> class TPublisher;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }

    const std::string& ClassName() const;
    bool InheritsFrom(TClass cls) const;
    template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

protected:
    static void FwPublish(TPublisher<TObject>&) {}
};

// Declares a framework class: its parent (`inherited`), its class reference and its publishing block.
// Leaves the access at private, so write it first in the class body.
#define FW_CLASS(Class, Parent)                                                                              \
public:                                                                                                      \
    using inherited = Parent;                                                                                \
    static TClass StaticClass();                                                                             \
    TClass ClassType() const override {                                                                      \
        return StaticClass();                                                                                \
    }                                                                                                        \
                                                                                                             \
protected:                                                                                                   \
    friend class TPublisher<Class>;                                                                          \
    static void FwPublish(TPublisher<Class>& p);                                                             \
                                                                                                             \
private:

#pragma GCC visibility pop
