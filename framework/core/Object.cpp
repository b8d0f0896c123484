#include "core/Object.h"

#include "rtti/ClassInfo.h"

TObject::~TObject() = default;

TClass TObject::StaticClass() {
    static TClassInfo info("TObject", nullptr, nullptr, [](TClassInfo&) {});
    return &info;
}

const std::string& TObject::ClassName() const {
    return ClassType()->Name;
}

bool TObject::InheritsFrom(TClass cls) const {
    return ClassType()->InheritsFrom(cls);
}
