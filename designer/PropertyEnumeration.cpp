// TPropInfoList and GetComponentProperties: the properties a selection has in common, one editor each.
#include "ComponentList.h"
#include "EditorRegistry.h"
#include "core/SysUtils.h"

#include <memory>

// ---- TPropInfoList ----------------------------------------------------------------------------------------

TPropInfoList::TPropInfoList(const TObject* instance, TTypeKinds filter) {
    if (instance) FList = GetPropList(instance, filter);
}

void TPropInfoList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    FList.erase(FList.begin() + index);
}

bool TPropInfoList::Contains(const TPropInfo* prop) const {
    for (const TPropInfo* p : FList)
        if (p->PropType == prop->PropType && SameText(p->Name, prop->Name)) return true;
    return false;
}

void TPropInfoList::Intersect(const TPropInfoList& other) {
    for (int i = Count() - 1; i >= 0; --i)
        if (!other.Contains(FList[static_cast<size_t>(i)])) Delete(i);
}

// ---- GetComponentProperties -------------------------------------------------------------------------------

namespace {

// Whether the property can be offered for the selection's first object at all.
bool Offered(const TPropInfo* prop, TPersistent* first, int selectionCount, TCustomDesigner* designer) {
    TPropertyEditorClass editorClass = FindEditorClass(prop, first);
    if (!editorClass) return false;
    std::unique_ptr<TPropertyEditor> probe(editorClass->Create(designer, 1));
    probe->SetPropEntry(0, first, prop);
    if (!prop->HasRead()) return false;
    if (!prop->HasWrite() && prop->PropType->Kind != tkClass) return false;
    if (selectionCount > 1 && !probe->GetAttributes().Contains(paMultiSelect)) return false;
    return true;
}

} // namespace

void GetComponentProperties(const TComponentList* selection, TTypeKinds filter, TCustomDesigner* designer,
                            const TEditorCallback& proc, const std::vector<TPersistent*>& enclosing) {
    if (!selection || selection->Count() == 0) return;
    TPersistent* first = selection->Items(0);
    if (!first) return;
    const int count = selection->Count();

    TPropInfoList candidates(first, filter);
    for (int i = candidates.Count() - 1; i >= 0; --i)
        if (!Offered(candidates.Items(i), first, count, designer)) candidates.Delete(i);

    std::vector<TPropInfoList> lists;
    lists.reserve(static_cast<size_t>(count));
    for (int j = 0; j < count; ++j)
        lists.emplace_back(selection->Items(j), filter); // a missing object lists nothing
    for (const TPropInfoList& list : lists)
        candidates.Intersect(list);
    for (TPropInfoList& list : lists)
        list.Intersect(candidates);

    for (int i = 0; i < candidates.Count(); ++i) {
        TPropertyEditorClass editorClass = FindEditorClass(candidates.Items(i), first);
        if (!editorClass) continue;
        std::unique_ptr<TPropertyEditor> editor(editorClass->Create(designer, count));
        bool complete = true;
        for (int j = 0; j < count && complete; ++j) {
            TPersistent* object = selection->Items(j);
            const TPropInfo* prop = lists[static_cast<size_t>(j)].Items(i);
            if (object->ClassType() != first->ClassType() && FindEditorClass(prop, object) != editorClass)
                complete = false;
            else
                editor->SetPropEntry(j, object, prop);
        }
        if (!complete) continue;
        editor->SetEnclosingObjects(enclosing);
        proc(std::move(editor));
    }
}
