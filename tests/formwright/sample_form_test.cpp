// The designed sample form as it is read from its resource, before any designer touches it.
#include "components/Table.h"
#include "formwright_support.h"
#include "ui/Application.h"
#include "widgets/Button.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

TEST(SampleForm, HoldsControlsAContainerAndNonVisualComponentsWithDesignPositions) {
    TDesignSample form(nullptr);
    EXPECT_EQ(OwnedNames(&form), (std::vector<std::string>{"Label1", "Image1", "Button1", "Button2", "Panel1",
                                                           "Button3", "StringGrid1", "Table1", "Query1"}));
    ASSERT_NE(form.Button3, nullptr);
    EXPECT_EQ(form.Button3->Parent(), form.Panel1);
    EXPECT_EQ(form.Table1->DesignInfo(), (160u << 16) | 96u);
}
