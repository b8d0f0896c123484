// The common editing keys beside the specified ones: Ctrl+C, Ctrl+X and Ctrl+V as Ctrl+Insert,
// Shift+Delete and Shift+Insert; Ctrl+A selects what lies directly on the root; Escape selects the parent.
#include "Formwright.h"
#include "components/Table.h"
#include "formwright_support.h"
#include "graphics/Clipboard.h"
#include "ui/Application.h"
#include "widgets/Button.h"
#include "widgets/Panel.h"

using EditingKeys = DesignedSample;

TEST_F(EditingKeys, CtrlCXAndVDoWhatCtrlInsertShiftDeleteAndShiftInsertDo) {
    struct Row {
        const char* what;
        uint16_t key;
        TShiftState shift;
        uint16_t specifiedKey;
        TShiftState specifiedShift;
    } rows[] = {
        {"copy", 'C', {ssCtrl}, VK_INSERT, {ssCtrl}},
        {"cut", 'X', {ssCtrl}, VK_DELETE, {ssShift}},
        {"paste", 'V', {ssCtrl}, VK_INSERT, {ssShift}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> designs, clipboards, selections;
        for (const auto& [key, shift] :
             {std::pair{row.key, row.shift}, std::pair{row.specifiedKey, row.specifiedShift}}) {
            Designer->SelectComponent(Form->Button2);
            Clipboard()->SetAsText("object Pasted1: TButton\r\n  Left = 300\r\n  Top = 40\r\n  Width = "
                                   "50\r\n  Height = 20\r\nend\r\n");
            Press(key, shift);
            designs.push_back(::testing::PrintToString(DescribeDesign(Form)));
            clipboards.push_back(Clipboard()->AsText());
            selections.push_back(::testing::PrintToString(SelectedNames()));
            Designer->Undo();
        }
        EXPECT_EQ(designs[0], designs[1]);
        EXPECT_EQ(clipboards[0], clipboards[1]);
        EXPECT_EQ(selections[0], selections[1]);
    }
}

TEST_F(EditingKeys, CtrlASelectsTheRootsChildrenAndItsNonVisualComponents) {
    Designer->SelectComponent(Form->Button3);
    Press('A', {ssCtrl});
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"Label1", "Image1", "Button1", "Button2", "Panel1",
                                                         "StringGrid1", "Table1", "Query1"}));
    EXPECT_EQ(Inspector->Inspected.size(), 8u);
}

TEST_F(EditingKeys, EscapeClimbsToTheParentUpToTheRoot) {
    Designer->SelectComponent(Form->Button3);
    Press(VK_ESCAPE);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Panel1"});
    Press(VK_ESCAPE);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"DesignSample"});
    Press(VK_ESCAPE);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"DesignSample"}) << "the root is the top";
    Designer->SelectComponent(Form->Table1);
    Press(VK_ESCAPE);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"DesignSample"}) << "a box lies on the root";
    EXPECT_FALSE(Designer->CanUndo()) << "selecting is no step";
}
