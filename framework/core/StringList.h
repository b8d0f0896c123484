// TStringList: the stand-alone string list. It can keep itself sorted, and reports changes through
// OnChanging / OnChange. It never owns the objects attached to its lines.
#pragma once

#include "core/Strings.h"

#include <functional>
#include <vector>

#pragma GCC visibility push(default)

class TStringList;
using TStringListEvent = std::function<void(TStringList& sender)>;

class TStringList : public TStrings {
    FW_CLASS(TStringList, TStrings)
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Strings(int index) const override;
    TObject* Objects(int index) const override;
    // Put, InsertObject, Exchange and Move fail on a sorted list with EStringListError
    // "Operation not allowed on sorted list", since they would break the order.
    void Put(int index, std::string_view text) override;
    void PutObject(int index, TObject* object) override;
    void InsertObject(int index, std::string_view text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    void Move(int currentIndex, int newIndex) override;

    // On a sorted list the line goes to its sorted place; when a line comparing equal already exists,
    // nothing is added and that line's index is returned.
    int AddObject(std::string_view text, TObject* object) override;
    int IndexOf(std::string_view text) const override; // binary search when sorted
    // On a sorted list the changed line moves to its sorted place.
    void SetValue(std::string_view name, std::string_view value) override;

    // Binary search of a sorted list: true when found (index = the first equal line), otherwise false
    // with index = where the text would be inserted.
    bool Find(std::string_view text, int& index) const;
    void Sort(); // stable; lines that compare equal keep their order

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted); // sorting an unsorted list keeps any duplicates it holds
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive); // re-sorts a sorted list

    // OnChanging runs before a change, OnChange after it. Inside BeginUpdate/EndUpdate, OnChanging runs
    // before the first change and OnChange once after the outermost EndUpdate, only when something changed.
    const TStringListEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TStringListEvent handler) { FOnChange = std::move(handler); }
    const TStringListEvent& OnChanging() const { return FOnChanging; }
    void SetOnChanging(TStringListEvent handler) { FOnChanging = std::move(handler); }

protected:
    int CompareStrings(std::string_view a, std::string_view b) const override;
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    std::vector<TItem> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FChangedInUpdate = false;
    TStringListEvent FOnChange;
    TStringListEvent FOnChanging;

    void CheckIndex(int index) const;
    void CheckUnsorted() const;
    void InsertItem(int index, std::string_view text, TObject* object);
};

#pragma GCC visibility pop
