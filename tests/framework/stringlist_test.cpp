#include "core/StringList.h"

#include "core/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

char Dummies[4];
TObject* Obj(int i) {
    return reinterpret_cast<TObject*>(&Dummies[i]);
}

std::vector<std::string> Lines(const TStrings& strings) {
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings.Strings(i));
    return lines;
}

using L = std::vector<std::string>;

// A minimal concrete TStrings, so that the base class's own algorithms are tested, not TStringList's.
class TPlainStrings : public TStrings {
public:
    int Count() const override { return static_cast<int>(FLines.size()); }
    std::string Strings(int index) const override { return FLines.at(Check(index)).first; }
    TObject* Objects(int index) const override { return FLines.at(Check(index)).second; }
    void Put(int index, std::string_view text) override { FLines.at(Check(index)).first = text; }
    void PutObject(int index, TObject* object) override { FLines.at(Check(index)).second = object; }
    void InsertObject(int index, std::string_view text, TObject* object) override {
        if (index < 0 || index > Count()) Check(-1);
        FLines.insert(FLines.begin() + index, {std::string(text), object});
    }
    void Delete(int index) override { FLines.erase(FLines.begin() + Check(index)); }
    void Clear() override { FLines.clear(); }

private:
    std::vector<std::pair<std::string, TObject*>> FLines;
    int Check(int index) const {
        if (index < 0 || index >= Count())
            throw EStringListError(Format("List index out of bounds (%d)", index));
        return index;
    }
};

TEST(TStrings, BaseAlgorithms) {
    TPlainStrings strings;
    strings.SetText("a\r\nB\r\nc=3\r\n");
    strings.PutObject(0, Obj(0));
    EXPECT_EQ(strings.IndexOf("b"), 1);
    EXPECT_EQ(strings.IndexOfName("C"), 2);
    EXPECT_EQ(strings.IndexOfObject(Obj(0)), 0);
    strings.Move(0, 2);
    EXPECT_EQ(Lines(strings), (L{"B", "c=3", "a"}));
    EXPECT_EQ(strings.Objects(2), Obj(0));
    strings.Exchange(0, 2);
    EXPECT_EQ(Lines(strings), (L{"a", "c=3", "B"}));
    EXPECT_EQ(strings.Objects(0), Obj(0));
    EXPECT_EQ(strings.AddObject("d", Obj(1)), 3);
    EXPECT_THROW(strings.Move(0, 4), EStringListError);
    EXPECT_EQ(Lines(strings), (L{"a", "c=3", "B", "d"})) << "a failed move loses nothing";
}

TEST(TStringList, UnsortedEditing) {
    TStringList list;
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(list.AddObject("two", Obj(1)), 1);
    list.Insert(0, "zero");
    list.InsertObject(3, "three", Obj(3));
    EXPECT_EQ(Lines(list), (L{"zero", "one", "two", "three"}));
    EXPECT_EQ(list.Objects(2), Obj(1));
    EXPECT_EQ(list.Add("one"), 4) << "duplicates are fine when unsorted";
    EXPECT_EQ(list.IndexOf("ONE"), 1);
    EXPECT_EQ(list.IndexOf("four"), -1);
    list.Move(3, 0);
    EXPECT_EQ(Lines(list), (L{"three", "zero", "one", "two", "one"}));
    EXPECT_EQ(list.Objects(0), Obj(3));
    list.Exchange(0, 3);
    EXPECT_EQ(list.Objects(0), Obj(1));
    list.Delete(4);
    list.Put(0, "2");
    EXPECT_EQ(Lines(list), (L{"2", "zero", "one", "three"}));
    EXPECT_EQ(list.Objects(0), Obj(1)) << "Put keeps the object";
}

TEST(TStringList, CaseSensitivity) {
    TStringList list;
    list.SetText("Alpha\nbeta\n");
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_EQ(list.IndexOf("Alpha"), 0);
    EXPECT_EQ(list.IndexOfName("Beta"), -1);
}

TEST(TStringList, SortedAddsInPlaceAndOnce) {
    TStringList list;
    list.SetSorted(true);
    for (const char* text : {"pear", "Apple", "fig", "banana", "_x"})
        list.Add(text);
    EXPECT_EQ(Lines(list), (L{"Apple", "banana", "fig", "pear", "_x"}));
    EXPECT_EQ(list.AddObject("APPLE", Obj(2)), 0) << "an equal text returns the existing line";
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Objects(0), nullptr);
    int index = -1;
    EXPECT_TRUE(list.Find("FIG", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2) << "where cherry would go";
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_EQ(list.IndexOf("plum"), -1);
}

TEST(TStringList, SortedBinarySearchAgreesWithLinearSearch) {
    TStringList sorted, unsorted;
    sorted.SetSorted(true);
    for (int i = 0; i < 300; ++i) {
        const std::string text = Format("Item%d", (i * 7919) % 1000);
        sorted.Add(text);
        unsorted.Add(text);
    }
    for (int i = 0; i < 1000; ++i) {
        const std::string probe = Format("ITEM%d", i);
        const int found = sorted.IndexOf(probe);
        EXPECT_EQ(found >= 0, unsorted.IndexOf(probe) >= 0) << probe;
        if (found >= 0) {
            EXPECT_TRUE(SameText(sorted.Strings(found), probe));
        }
    }
    for (int i = 1; i < sorted.Count(); ++i)
        EXPECT_LT(CompareText(sorted.Strings(i - 1), sorted.Strings(i)), 0);
}

TEST(TStringList, SortingAnExistingListIsStableAndKeepsDuplicates) {
    TStringList list;
    list.AddObject("b", Obj(0));
    list.AddObject("A", Obj(1));
    list.AddObject("B", Obj(2));
    list.AddObject("a", Obj(3));
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (L{"A", "a", "b", "B"}));
    EXPECT_EQ(list.Objects(2), Obj(0));
    list.SetCaseSensitive(true);
    EXPECT_EQ(Lines(list), (L{"A", "B", "a", "b"}));
    EXPECT_EQ(list.Add("C"), 2);
}

TEST(TStringList, OrderBreakingOperationsFailWhenSorted) {
    const std::function<void(TStringList&)> actions[] = {
        [](TStringList& l) { l.Insert(0, "x"); }, [](TStringList& l) { l.InsertObject(1, "x", nullptr); },
        [](TStringList& l) { l.Put(0, "z"); },    [](TStringList& l) { l.Exchange(0, 1); },
        [](TStringList& l) { l.Move(0, 1); },
    };
    for (const auto& action : actions) {
        TStringList list;
        list.SetSorted(true);
        list.SetText("a\nb\n");
        try {
            action(list);
            ADD_FAILURE() << "no exception";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
        }
        EXPECT_EQ(Lines(list), (L{"a", "b"}));
    }
}

TEST(TStringList, BadIndexesFail) {
    const std::pair<std::function<void(TStringList&)>, const char*> cases[] = {
        {[](TStringList& l) { l.Strings(-1); }, "List index out of bounds (-1)"},
        {[](TStringList& l) { l.Strings(2); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Objects(2); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Put(2, "x"); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.PutObject(-1, nullptr); }, "List index out of bounds (-1)"},
        {[](TStringList& l) { l.InsertObject(3, "x", nullptr); }, "List index out of bounds (3)"},
        {[](TStringList& l) { l.Delete(2); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Exchange(0, 2); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Move(2, 0); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Move(0, 2); }, "List index out of bounds (2)"},
        {[](TStringList& l) { l.Names(5); }, "List index out of bounds (5)"},
    };
    for (const auto& [action, message] : cases) {
        TStringList list;
        list.SetText("a\nb\n");
        int changes = 0;
        list.SetOnChange([&](TStringList&) { ++changes; });
        try {
            action(list);
            ADD_FAILURE() << message << ": no exception";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(Lines(list), (L{"a", "b"})) << message;
        EXPECT_EQ(changes, 0) << message;
    }
}

TEST(TStringList, NamesAndValues) {
    TStringList list;
    list.SetText("Left=10\nTop=20\nplain\nExpr=a=b\n=empty name\n");
    EXPECT_EQ(list.Names(0), "Left");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("TOP"), "20");
    EXPECT_EQ(list.Values("Expr"), "a=b");
    EXPECT_EQ(list.Values("plain"), "") << "a line without = has no name";
    EXPECT_EQ(list.Values(""), "empty name");
    EXPECT_EQ(list.Values("Width"), "");

    list.SetValue("top", "25");
    list.SetValue("Width", "75");
    list.SetValue("Left", "");
    list.SetValue("Height", "");
    EXPECT_EQ(Lines(list), (L{"top=25", "plain", "Expr=a=b", "=empty name", "Width=75"}));
}

TEST(TStringList, SortedSetValueKeepsTheOrderAndTheObject) {
    TStringList list;
    list.SetSorted(true);
    list.AddObject("k=1", Obj(1));
    list.AddObject("k=5", Obj(2));
    list.AddObject("a=0", Obj(0));
    list.SetValue("K", "9");
    EXPECT_EQ(Lines(list), (L{"a=0", "k=5", "K=9"}));
    EXPECT_EQ(list.Objects(2), Obj(1));
    list.SetValue("a", "");
    EXPECT_EQ(Lines(list), (L{"k=5", "K=9"}));
}

TEST(TStringList, Text) {
    const std::pair<const char*, L> inputs[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\n\n", {"a", ""}},
        {"\n\r", {"", ""}}, // LF then CR: two line breaks
        {"\r\r\n", {"", ""}},
        {"x\xC3\xA4y\n", {"x\xC3\xA4y"}},
    };
    for (const auto& [text, expected] : inputs) {
        TStringList list;
        list.SetText(text);
        EXPECT_EQ(Lines(list), expected) << text;
        TStringList copy;
        copy.SetText(list.Text());
        EXPECT_EQ(Lines(copy), expected) << "round trip of " << text;
    }
    TStringList list;
    list.SetText("a\n\nb\n\n");
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n\r\n");
}

TEST(TStringList, ChangeEventsAndUpdates) {
    TStringList list;
    int changing = 0, changed = 0, changingSeenDuringChange = 0;
    list.SetOnChanging([&](TStringList&) { ++changing; });
    list.SetOnChange([&](TStringList& sender) {
        ++changed;
        changingSeenDuringChange = changing;
        EXPECT_EQ(&sender, &list);
    });
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changed, 2) << "inner EndUpdate stays quiet";
    list.Add("d");
    list.EndUpdate();
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changingSeenDuringChange, 3);

    list.BeginUpdate();
    list.EndUpdate();
    list.EndUpdate(); // unmatched: ignored
    EXPECT_EQ(changed, 3) << "an update without changes reports nothing";

    list.SetText("x\ny\nz\n");
    TStringList other;
    other.Assign(list);
    list.Assign(other);
    list.AddStrings(other);
    EXPECT_EQ(changed, 6) << "bulk operations report once";
    list.Clear();
    list.Clear();
    EXPECT_EQ(changed, 7) << "clearing an empty list is no change";
}

TEST(TStringList, OnChangingCanVeto) {
    TStringList list;
    list.Add("keep");
    list.SetOnChanging([](TStringList&) { throw EAbort("no"); });
    EXPECT_THROW(list.Add("x"), EAbort);
    EXPECT_THROW(list.Delete(0), EAbort);
    EXPECT_EQ(Lines(list), (L{"keep"}));
}

TEST(TStringList, AssignAndAddStringsCopyObjects) {
    TStringList source;
    source.AddObject("a", Obj(0));
    source.AddObject("b", Obj(1));
    TStringList target;
    target.Add("old");
    target.Assign(source);
    EXPECT_EQ(Lines(target), (L{"a", "b"}));
    EXPECT_EQ(target.Objects(1), Obj(1));
    target.Assign(target);
    EXPECT_EQ(Lines(target), (L{"a", "b"}));
    target.AddStrings(target);
    EXPECT_EQ(Lines(target), (L{"a", "b", "a", "b"}));
    EXPECT_EQ(target.Objects(3), Obj(1));

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.AddStrings(target);
    EXPECT_EQ(Lines(sorted), (L{"a", "b"}));
}

} // namespace
