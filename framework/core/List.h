// TList: an ordered list of untyped pointers. It never owns what it points to; subclasses that must react
// to items entering or leaving the list override Notify.
#pragma once

#include <functional>
#include <vector>

#pragma GCC visibility push(default)

enum class TListNotification { Added, Extracted, Deleted };

// Negative when item1 sorts before item2, zero when equal, positive when after.
using TListSortCompare = std::function<int(void* item1, void* item2)>;

class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    virtual ~TList();

    int Count() const { return static_cast<int>(FItems.size()); }
    // Growing appends null pointers; shrinking deletes from the end. Negative counts fail with EListError
    // "List count out of bounds (%d)".
    void SetCount(int count);
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    // Fails with EListError "List capacity out of bounds (%d)" below Count.
    void SetCapacity(int capacity);

    // Index errors fail with EListError "List index out of bounds (%d)".
    void* Items(int index) const;
    void* operator[](int index) const { return Items(index); }
    void Put(int index, void* item);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    int Add(void* item);                // returns the new item's index
    void Insert(int index, void* item); // 0 <= index <= Count
    void Delete(int index);
    int Remove(void* item);    // removes the first occurrence; returns its index, or -1 when absent
    void* Extract(void* item); // Remove with Extracted notification; returns item, or null when absent
    void Clear();
    void Pack(); // removes every null item

    int IndexOf(const void* item) const; // first occurrence, or -1
    void Exchange(int index1, int index2);
    void Move(int currentIndex, int newIndex);
    // Stable. When compare throws, the list keeps its previous order.
    void Sort(const TListSortCompare& compare);

    std::vector<void*>::const_iterator begin() const { return FItems.begin(); }
    std::vector<void*>::const_iterator end() const { return FItems.end(); }

protected:
    // Called after an item was added (Add, Insert, Put) or taken out (Delete, Remove, Clear, SetCount, Put:
    // Deleted; Extract: Extracted). Null items are not reported.
    virtual void Notify(void* item, TListNotification action) {}

private:
    std::vector<void*> FItems;

    void CheckIndex(int index) const;
};

#pragma GCC visibility pop
