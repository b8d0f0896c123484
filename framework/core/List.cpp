#include "core/List.h"

#include "core/SysUtils.h"

#include <algorithm>

namespace {

[[noreturn]] void ListError(const char* message, int value) {
    throw EListError(Format(message, value));
}

} // namespace

TList::~TList() = default;

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) ListError("List index out of bounds (%d)", index);
}

void TList::SetCount(int count) {
    if (count < 0) ListError("List count out of bounds (%d)", count);
    if (count > Count()) {
        FItems.resize(count, nullptr);
        return;
    }
    while (Count() > count)
        Delete(Count() - 1);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count()) ListError("List capacity out of bounds (%d)", capacity);
    std::vector<void*> resized;
    resized.reserve(capacity);
    resized.assign(FItems.begin(), FItems.end());
    FItems.swap(resized);
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return FItems[index];
}

void TList::Put(int index, void* item) {
    CheckIndex(index);
    void* old = FItems[index];
    if (old == item) return;
    FItems[index] = item;
    if (old) Notify(old, TListNotification::Deleted);
    if (item) Notify(item, TListNotification::Added);
}

int TList::Add(void* item) {
    FItems.push_back(item);
    if (item) Notify(item, TListNotification::Added);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) ListError("List index out of bounds (%d)", index);
    FItems.insert(FItems.begin() + index, item);
    if (item) Notify(item, TListNotification::Added);
}

void TList::Delete(int index) {
    CheckIndex(index);
    void* item = FItems[index];
    FItems.erase(FItems.begin() + index);
    if (item) Notify(item, TListNotification::Deleted);
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    const int index = IndexOf(item);
    if (index < 0) return nullptr;
    FItems.erase(FItems.begin() + index);
    if (item) Notify(item, TListNotification::Extracted);
    return item;
}

void TList::Clear() {
    SetCount(0);
    FItems.shrink_to_fit();
}

void TList::Pack() {
    std::erase(FItems, nullptr);
}

int TList::IndexOf(const void* item) const {
    const auto found = std::find(FItems.begin(), FItems.end(), item);
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[index1], FItems[index2]);
}

void TList::Move(int currentIndex, int newIndex) {
    CheckIndex(currentIndex);
    CheckIndex(newIndex);
    if (currentIndex == newIndex) return;
    void* item = FItems[currentIndex];
    FItems.erase(FItems.begin() + currentIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Sort(const TListSortCompare& compare) {
    // Sorting a copy keeps the list intact when compare throws, and a merge sort stays within bounds even
    // when compare is inconsistent.
    std::vector<void*> sorted = FItems;
    std::stable_sort(sorted.begin(), sorted.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
    FItems = std::move(sorted);
}
