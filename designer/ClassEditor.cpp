#include "ClassEditor.h"

#include "ComponentList.h"
#include "EditorRegistry.h"
#include "core/SysUtils.h"
#include "rtti/Publisher.h"

#include <algorithm>

FW_PUBLISH(TClassProperty) {
}

TEditorAttributes TClassProperty::GetAttributes() {
    return {paSubProperties, paMultiSelect};
}

std::string TClassProperty::GetValue() {
    return Format("(%s)", GetPropType()->Name);
}

void TClassProperty::GetProperties(const TEditorCallback& proc) {
    std::vector<TPersistent*> path = EnclosingObjects();
    for (int i = 0; i < PropCount(); ++i)
        path.push_back(GetComponent(i));

    TComponentList held;
    for (int i = 0; i < PropCount(); ++i) {
        auto* object = reinterpret_cast<TObject*>(static_cast<intptr_t>(GetOrdValueAt(i)));
        auto* persistent = dynamic_cast<TPersistent*>(object);
        if (persistent && std::find(path.begin(), path.end(), persistent) != path.end()) return;
        held.Add(persistent);
    }
    GetComponentProperties(&held, tkProperties, Designer(), proc, path);
}
