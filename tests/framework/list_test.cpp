#include "core/List.h"

#include "core/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int Values[10];
void* P(int i) {
    return &Values[i];
}

std::vector<int> Contents(const TList& list) {
    std::vector<int> result;
    for (void* item : list)
        result.push_back(item ? static_cast<int>(static_cast<int*>(item) - Values) : -1);
    return result;
}

TList& Fill(TList& list, std::initializer_list<int> items) {
    for (int i : items)
        list.Add(i < 0 ? nullptr : P(i));
    return list;
}

TEST(TList, Editing) {
    TList list;
    EXPECT_EQ(list.Add(P(1)), 0);
    EXPECT_EQ(list.Add(P(2)), 1);
    list.Insert(0, P(0));
    list.Insert(3, P(3));
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.First(), P(0));
    EXPECT_EQ(list.Last(), P(3));
    list.Delete(1);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(list.Remove(P(3)), 2);
    EXPECT_EQ(list.Remove(P(3)), -1);
    EXPECT_EQ(list.Extract(P(0)), P(0));
    EXPECT_EQ(list.Extract(P(0)), nullptr);
    EXPECT_EQ(Contents(list), (std::vector<int>{2}));
    list.Put(0, P(5));
    EXPECT_EQ(list[0], P(5));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TList, RemoveTakesTheFirstOccurrence) {
    TList list;
    Fill(list, {1, 2, 1});
    EXPECT_EQ(list.IndexOf(P(1)), 0);
    EXPECT_EQ(list.Remove(P(1)), 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 1}));
}

TEST(TList, Reordering) {
    const struct {
        const char* Name;
        std::function<void(TList&)> Action;
        std::vector<int> Expected;
    } cases[] = {
        {"exchange", [](TList& l) { l.Exchange(0, 3); }, {3, 1, 2, 0}},
        {"move forward", [](TList& l) { l.Move(0, 2); }, {1, 2, 0, 3}},
        {"move backward", [](TList& l) { l.Move(3, 1); }, {0, 3, 1, 2}},
        {"move in place", [](TList& l) { l.Move(2, 2); }, {0, 1, 2, 3}},
        {"grow", [](TList& l) { l.SetCount(6); }, {0, 1, 2, 3, -1, -1}},
        {"shrink", [](TList& l) { l.SetCount(1); }, {0}},
        {"pack", [](TList& l) { l.Insert(1, nullptr), l.Add(nullptr), l.Pack(); }, {0, 1, 2, 3}},
        {"sort descending",
         [](TList& l) {
             l.Sort([](void* a, void* b) {
                 return static_cast<int>(static_cast<int*>(b) - static_cast<int*>(a));
             });
         },
         {3, 2, 1, 0}},
    };
    for (const auto& c : cases) {
        TList list;
        Fill(list, {0, 1, 2, 3});
        c.Action(list);
        EXPECT_EQ(Contents(list), c.Expected) << c.Name;
    }
}

TEST(TList, SortIsStableAndSurvivesAThrowingCompare) {
    TList list;
    Fill(list, {5, 2, 7, 1, 6});
    // Sort by parity only: items of equal parity keep their order.
    list.Sort([](void* a, void* b) {
        return (static_cast<int>(static_cast<int*>(a) - Values) % 2) -
               (static_cast<int>(static_cast<int*>(b) - Values) % 2);
    });
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 6, 5, 7, 1}));
    int calls = 0;
    EXPECT_THROW(list.Sort([&](void*, void*) -> int {
        if (++calls == 3) throw EAbort("");
        return 1;
    }),
                 EAbort);
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 6, 5, 7, 1}));
}

TEST(TList, CapacityIsKept) {
    TList list;
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    Fill(list, {1, 2, 3});
    list.SetCapacity(3);
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3}));
}

TEST(TList, BadIndexesFail) {
    const struct {
        std::function<void(TList&)> Action;
        const char* Message;
    } cases[] = {
        {[](TList& l) { l.Items(-1); }, "List index out of bounds (-1)"},
        {[](TList& l) { l.Items(3); }, "List index out of bounds (3)"},
        {[](TList& l) { l.Put(3, nullptr); }, "List index out of bounds (3)"},
        {[](TList& l) { l.Insert(4, nullptr); }, "List index out of bounds (4)"},
        {[](TList& l) { l.Insert(-1, nullptr); }, "List index out of bounds (-1)"},
        {[](TList& l) { l.Delete(3); }, "List index out of bounds (3)"},
        {[](TList& l) { l.Exchange(0, 5); }, "List index out of bounds (5)"},
        {[](TList& l) { l.Move(-2, 0); }, "List index out of bounds (-2)"},
        {[](TList& l) { l.Move(0, 3); }, "List index out of bounds (3)"},
        {[](TList& l) { l.Move(7, 7); }, "List index out of bounds (7)"},
        {[](TList& l) { l.SetCount(-1); }, "List count out of bounds (-1)"},
        {[](TList& l) { l.SetCapacity(2); }, "List capacity out of bounds (2)"},
        {[](TList& l) { l.Clear(), l.First(); }, "List index out of bounds (0)"},
        {[](TList& l) { l.Clear(), l.Last(); }, "List index out of bounds (-1)"},
    };
    for (const auto& c : cases) {
        TList list;
        Fill(list, {0, 1, 2});
        try {
            c.Action(list);
            ADD_FAILURE() << c.Message << ": no exception";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        if (list.Count() == 3) {
            EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2}))
                << c.Message; // failed calls change nothing
        }
    }
}

class TRecordingList : public TList {
public:
    std::vector<std::pair<int, TListNotification>> Log;

protected:
    void Notify(void* item, TListNotification action) override {
        Log.emplace_back(static_cast<int>(static_cast<int*>(item) - Values), action);
    }
};

TEST(TList, NotifiesSubclasses) {
    using N = TListNotification;
    TRecordingList list;
    list.Add(P(0));
    list.Insert(0, P(1));
    list.Add(nullptr); // nulls are not reported
    list.Put(2, P(2));
    list.Extract(P(1));
    list.Remove(P(0));
    list.Add(P(3));
    list.Clear();
    const std::vector<std::pair<int, N>> expected = {{0, N::Added},     {1, N::Added},   {2, N::Added},
                                                     {1, N::Extracted}, {0, N::Deleted}, {3, N::Added},
                                                     {3, N::Deleted},   {2, N::Deleted}};
    EXPECT_EQ(list.Log, expected);
}

} // namespace
