// TList: an ordered list of untyped pointers. It never owns what it points to; subclasses that must react
// to items entering or leaving the list override Notify.
#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
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

// A list of T*: a TList with its element type, so that nothing that reads it casts. Items are compared by
// address, so IndexOf and Remove take any pointer (an object being freed is known by its address alone).
template <class T> class TPointerList {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T*;
        const_iterator() = default;
        explicit const_iterator(std::vector<void*>::const_iterator at) : FAt(at) {}
        T* operator*() const { return static_cast<T*>(*FAt); }
        const_iterator& operator++() {
            ++FAt;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(FAt++); }
        bool operator==(const const_iterator& other) const { return FAt == other.FAt; }

    private:
        std::vector<void*>::const_iterator FAt;
    };

    int Count() const { return FList.Count(); }
    T* Items(int index) const { return static_cast<T*>(FList.Items(index)); }
    T* Last() const { return static_cast<T*>(FList.Last()); }
    int Add(T* item) { return FList.Add(item); }
    void Insert(int index, T* item) { FList.Insert(index, item); }
    void Delete(int index) { FList.Delete(index); }
    int Remove(const void* item) { return FList.Remove(const_cast<void*>(item)); }
    int IndexOf(const void* item) const { return FList.IndexOf(item); }
    void Clear() { FList.Clear(); }
    // Stable; when compare throws, the list keeps its previous order.
    void Sort(const std::function<int(T* item1, T* item2)>& compare) {
        FList.Sort([&compare](void* a, void* b) { return compare(static_cast<T*>(a), static_cast<T*>(b)); });
    }

    const_iterator begin() const { return const_iterator(FList.begin()); }
    const_iterator end() const { return const_iterator(FList.end()); }

private:
    TList FList;
};

#pragma GCC visibility pop
