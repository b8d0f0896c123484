#include "core/StringList.h"

#include "core/ClassRegistry.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"

#include <algorithm>

FW_PUBLISH(TStringList) {
}

namespace {
const bool StringListRegistered = (RegisterClass(TStringList::StaticClass()), true);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(Format("List index out of bounds (%d)", index));
}

void TStringList::CheckUnsorted() const {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
}

std::string TStringList::Strings(int index) const {
    CheckIndex(index);
    return FItems[index].Text;
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index);
    return FItems[index].Object;
}

void TStringList::Put(int index, std::string_view text) {
    CheckUnsorted();
    CheckIndex(index);
    Changing();
    FItems[index].Text = text;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    FItems[index].Object = object;
    Changed();
}

void TStringList::InsertItem(int index, std::string_view text, TObject* object) {
    Changing();
    FItems.insert(FItems.begin() + index, TItem{std::string(text), object});
    Changed();
}

void TStringList::InsertObject(int index, std::string_view text, TObject* object) {
    CheckUnsorted();
    if (index < 0 || index > Count()) throw EStringListError(Format("List index out of bounds (%d)", index));
    InsertItem(index, text, object);
}

int TStringList::AddObject(std::string_view text, TObject* object) {
    int index = Count();
    if (FSorted && Find(text, index)) return index;
    InsertItem(index, text, object);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckUnsorted();
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FItems[index1], FItems[index2]);
    Changed();
}

void TStringList::Move(int currentIndex, int newIndex) {
    CheckUnsorted();
    CheckIndex(currentIndex);
    CheckIndex(newIndex);
    if (currentIndex == newIndex) return;
    Changing();
    TItem item = std::move(FItems[currentIndex]);
    FItems.erase(FItems.begin() + currentIndex);
    FItems.insert(FItems.begin() + newIndex, std::move(item));
    Changed();
}

int TStringList::IndexOf(std::string_view text) const {
    if (!FSorted) return TStrings::IndexOf(text);
    int index;
    return Find(text, index) ? index : -1;
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    if (!FSorted || index < 0 || value.empty()) {
        TStrings::SetValue(name, value);
        return;
    }
    TObject* object = FItems[index].Object;
    const auto update = UpdateScope(*this);
    Delete(index);
    AddObject(std::string(name) + '=' + std::string(value), object);
}

bool TStringList::Find(std::string_view text, int& index) const {
    const auto first =
        std::lower_bound(FItems.begin(), FItems.end(), text, [this](const TItem& item, std::string_view t) {
            return CompareStrings(item.Text, t) < 0;
        });
    index = static_cast<int>(first - FItems.begin());
    return first != FItems.end() && CompareStrings(first->Text, text) == 0;
}

void TStringList::Sort() {
    if (Count() < 2) return;
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    if (FSorted) Sort();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return FCaseSensitive ? a.compare(b) : CompareText(a, b);
}

void TStringList::Changing() {
    if (UpdateCount() > 0 && FChangedInUpdate) return;
    if (FOnChanging) FOnChanging(*this); // may throw to veto the change
    if (UpdateCount() > 0) FChangedInUpdate = true;
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && FOnChange) FOnChange(*this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating || !FChangedInUpdate) return;
    FChangedInUpdate = false;
    if (FOnChange) FOnChange(*this);
}
