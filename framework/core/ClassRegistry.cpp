#include "core/ClassRegistry.h"

#include "core/SysUtils.h"
#include "rtti/ClassInfo.h"

#include <algorithm>
#include <vector>

static std::vector<TClass>& Registry() {
    static std::vector<TClass> classes;
    return classes;
}

void RegisterClass(TClass cls) {
    auto& classes = Registry();
    if (std::find(classes.begin(), classes.end(), cls) != classes.end()) return;
    if (TClass other = GetClass(cls->Name); other && other != cls)
        throw EFilerError(Format("A class named %s already exists", cls->Name));
    classes.push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass c : classes)
        RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
    auto& classes = Registry();
    classes.erase(std::remove(classes.begin(), classes.end(), cls), classes.end());
}

TClass GetClass(std::string_view name) {
    for (TClass c : Registry())
        if (SameText(c->Name, name)) return c;
    return nullptr;
}

TClass FindClass(std::string_view name) {
    if (TClass c = GetClass(name)) return c;
    throw EClassNotFound(Format("Class %s not found", name));
}

static std::vector<TClass (*)()>& Streamable() {
    static std::vector<TClass (*)()> marked;
    return marked;
}

void MarkStreamable(TClass (*staticClass)()) {
    Streamable().push_back(staticClass);
}

void RegisterStreamableClasses() {
    // The class records are asked for only now: while the program starts, they may not be made yet.
    for (TClass (*staticClass)() : Streamable())
        RegisterClass(staticClass());
}

std::vector<TClass> StreamableClasses() {
    std::vector<TClass> classes;
    for (TClass (*staticClass)() : Streamable())
        classes.push_back(staticClass());
    return classes;
}
