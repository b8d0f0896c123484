// TCollection and TCollectionItem: ownership, positions, IDs, change reports, Assign and name paths.
#include "test_classes.h"

#include "core/SysUtils.h"

#include <gtest/gtest.h>

namespace {

class TCountingCollection : public TCollection {
public:
    using TCollection::TCollection;
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* item) override { Updates.push_back(item); }
};

std::string Captions(const TCollection& c) {
    std::string text;
    for (int i = 0; i < c.Count(); ++i)
        text += static_cast<TSinkItem*>(c.Items(i))->Caption + ";";
    return text;
}

TSinkItem* AddItem(TCollection& c, const char* caption) {
    auto* item = static_cast<TSinkItem*>(c.Add());
    item->Caption = caption;
    return item;
}

TEST(Collection, ItemsKeepOrderIdsAndOwnership) {
    TCollection c(TSinkItem::StaticClass());
    TSinkItem* a = AddItem(c, "a");
    TSinkItem* b = AddItem(c, "b");
    static_cast<TSinkItem*>(c.Insert(0))->Caption = "first";
    EXPECT_EQ(Captions(c), "first;a;b;");
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(c.Items(0)->ID(), 2);

    b->SetIndex(0);
    EXPECT_EQ(Captions(c), "b;first;a;");
    EXPECT_THROW(b->SetIndex(3), EListError);
    try {
        c.Items(3);
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }

    c.Delete(0); // frees b
    EXPECT_EQ(Captions(c), "first;a;");
    EXPECT_EQ(c.FindItemID(1), nullptr);
    EXPECT_EQ(c.FindItemID(0), a);
    delete a; // an item freed on its own leaves the collection
    EXPECT_EQ(Captions(c), "first;");
    EXPECT_EQ(AddItem(c, "c")->ID(), 3); // IDs are never reused

    TCollection other(TSinkItem::StaticClass());
    c.Items(0)->SetCollection(&other);
    EXPECT_EQ(Captions(c), "c;");
    EXPECT_EQ(Captions(other), "first;");
    EXPECT_THROW(TCollection(TKitchenSink::StaticClass()), EInvalidOperation);
}

TEST(Collection, ChangesAreReportedOncePerUpdate) {
    TCountingCollection c(TSinkItem::StaticClass());
    TSinkItem* a = AddItem(c, "a");
    EXPECT_EQ(c.Updates, std::vector<TCollectionItem*>{nullptr});
    c.Updates.clear();
    c.BeginUpdate();
    AddItem(c, "b");
    a->SetIndex(1);
    c.Clear();
    EXPECT_TRUE(c.Updates.empty());
    c.EndUpdate();
    EXPECT_EQ(c.Updates, std::vector<TCollectionItem*>{nullptr});
}

TEST(Collection, AssignCopiesItemsAndRejectsOtherClasses) {
    TKitchenSink source(nullptr), target(nullptr);
    AddItem(*source.Items(), "x")->Width = 9;
    AddItem(*source.Items(), "y");
    AddItem(*target.Items(), "old");
    target.Items()->Assign(source.Items());
    EXPECT_EQ(Captions(*target.Items()), "x;y;");
    EXPECT_EQ(target.Item(0)->Width, 9);
    EXPECT_NE(target.Item(0), source.Item(0));
    target.Items()->Assign(target.Items()); // itself: unchanged
    EXPECT_EQ(Captions(*target.Items()), "x;y;");

    TSinkFont font;
    EXPECT_THROW(target.Items()->Assign(&font), EConvertError);
    EXPECT_EQ(Captions(*target.Items()), "x;y;");
}

TEST(Collection, NamePathsFollowTheOwningProperty) {
    TKitchenSink sink(nullptr);
    sink.SetName("Sink1");
    TCollectionItem* item = sink.Items()->Add();
    EXPECT_EQ(sink.Items()->GetNamePath(), "Sink1.Items");
    EXPECT_EQ(item->GetNamePath(), "Sink1.Items[0]");
    EXPECT_EQ(item->GetOwner(), sink.Items());
    EXPECT_EQ(item->DisplayName(), "TSinkItem");
    TCollection loose(TSinkItem::StaticClass());
    EXPECT_EQ(loose.GetNamePath(), "TCollection");
}

} // namespace
