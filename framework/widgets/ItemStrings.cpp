#include "widgets/ItemStrings.h"

#include "core/ClassRegistry.h"
#include "core/SysUtils.h"

#include <algorithm>

FW_PUBLISH(TItemStrings) {
}

std::string TItemStrings::Strings(int index) const {
    Check(index);
    return FLines[index].Text;
}

TObject* TItemStrings::Objects(int index) const {
    Check(index);
    return FLines[index].Object;
}

void TItemStrings::Put(int index, std::string_view text) {
    Check(index);
    FLines[index].Text = std::string(text);
    ItemsChanged();
}

void TItemStrings::PutObject(int index, TObject* object) {
    Check(index);
    FLines[index].Object = object;
}

void TItemStrings::InsertObject(int index, std::string_view text, TObject* object) {
    if (index < 0 || index > Count()) throw EStringListError(Format("List index out of bounds (%d)", index));
    FLines.insert(FLines.begin() + index, TLine{std::string(text), object});
    ItemInserted(index);
}

int TItemStrings::AddObject(std::string_view text, TObject* object) {
    int index = Count();
    if (Sorted()) {
        auto it =
            std::upper_bound(FLines.begin(), FLines.end(), text, [this](std::string_view t, const TLine& l) {
                return CompareStrings(t, l.Text) < 0;
            });
        index = static_cast<int>(it - FLines.begin());
    }
    InsertObject(index, text, object);
    return index;
}

void TItemStrings::Delete(int index) {
    Check(index);
    FLines.erase(FLines.begin() + index);
    ItemDeleted(index);
}

void TItemStrings::Clear() {
    FLines.clear();
    ItemsCleared();
    ItemsChanged();
}

void TItemStrings::Sort() {
    std::stable_sort(FLines.begin(), FLines.end(),
                     [this](const TLine& a, const TLine& b) { return CompareStrings(a.Text, b.Text) < 0; });
    ItemsChanged();
}

void TItemStrings::Check(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(Format("List index out of bounds (%d)", index));
}
