// TComboBox over real input: choosing lines with the keyboard fires OnChange, code does not; lines keep
// their objects, sorted boxes place lines in order, and update brackets reach the drop-down list.
#include "list_grid_support.h"

#include "ui/InputSimulator.h"
#include "widgets/ComboBox.h"

#include <string>
#include <vector>

using list_grid_test::FormFixture;

namespace {

struct ChangeLog {
    TComboBox* box = nullptr;
    std::vector<int> indexes; // ItemIndex seen by each OnChange
    std::vector<std::string> texts;
    int clicks = 0;
    void Change(TObject*) {
        indexes.push_back(box->ItemIndex());
        texts.push_back(box->Text());
    }
    void Click(TObject*) { ++clicks; }
};

struct ComboBoxes : FormFixture {
    void SetUp() override {
        FormFixture::SetUp();
        box = new TComboBox(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 200, 24);
        log.box = box;
        box->OnChange = TNotifyEvent::Bind<&ChangeLog::Change>(&log);
        box->OnClick = TNotifyEvent::Bind<&ChangeLog::Click>(&log);
        Application->ProcessMessages();
    }
    void Focus() {
        box->SetFocus();
        Application->ProcessMessages();
    }
    TComboBox* box = nullptr;
    ChangeLog log;
};

TEST_F(ComboBoxes, ADropDownListStartsWithNoChoiceAndCodeFiresNoEvent) {
    box->SetStyle(csDropDownList);
    TObject a, b, c;
    box->Items()->AddObject("Alpha: TButton", &a);
    box->Items()->AddObject("Beta: TEdit", &b);
    box->Items()->AddObject("Gamma: TLabel", &c);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->Text(), "");
    box->SetItemIndex(1);
    EXPECT_EQ(box->Text(), "Beta: TEdit");
    EXPECT_EQ(box->Items()->Objects(box->ItemIndex()), &b);
    box->SetText("gamma: tlabel");
    EXPECT_EQ(box->ItemIndex(), 2) << "the text chooses its line";
    box->SetText("nothing like it");
    EXPECT_EQ(box->ItemIndex(), -1);
    box->SetItemIndex(7);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_TRUE(log.indexes.empty());
    EXPECT_EQ(log.clicks, 0);
}

TEST_F(ComboBoxes, ChoosingWithTheKeyboardFiresOnChange) {
    box->SetStyle(csDropDownList);
    for (const char* line : {"one", "two", "three"})
        box->Items()->Add(line);
    box->SetItemIndex(0);
    Focus();
    TInputSimulator::KeyPress(VK_DOWN);
    TInputSimulator::KeyPress(VK_DOWN);
    TInputSimulator::KeyPress(VK_UP);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(log.indexes, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(log.texts, (std::vector<std::string>{"two", "three", "two"}));
    EXPECT_EQ(log.clicks, 3);
}

TEST_F(ComboBoxes, DeletingLinesKeepsTheChoiceOnItsLine) {
    box->SetStyle(csDropDownList);
    for (const char* line : {"a", "b", "c", "d"})
        box->Items()->Add(line);
    box->SetItemIndex(2);
    box->Items()->Delete(0);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->Text(), "c");
    box->Items()->Insert(0, "z");
    EXPECT_EQ(box->ItemIndex(), 2);
    box->Items()->Put(2, "C");
    EXPECT_EQ(box->Text(), "C") << "the chosen line's new text shows";
    box->Items()->Delete(2);
    EXPECT_EQ(box->ItemIndex(), -1) << "the chosen line is gone";
    EXPECT_EQ(box->Text(), "");
    EXPECT_TRUE(log.indexes.empty());
}

TEST_F(ComboBoxes, SortedBoxesAndUpdateBracketsReachTheList) {
    box->SetStyle(csDropDownList);
    box->SetSorted(true);
    box->SetItemHeight(12);
    box->Items()->BeginUpdate();
    for (const char* line : {"Table1: TTable", ": TForm2", "Button1: TButton", "Query1: TQuery"})
        box->Items()->Add(line);
    box->Items()->EndUpdate();
    EXPECT_EQ(box->Items()->Text(), ": TForm2\r\nButton1: TButton\r\nQuery1: TQuery\r\nTable1: TTable\r\n");
    Focus();
    TInputSimulator::KeyPress(VK_END);
    EXPECT_EQ(box->ItemIndex(), 3) << "the list shows every line added inside the bracket";
    EXPECT_EQ(box->Text(), "Table1: TTable");
    TInputSimulator::KeyPress(VK_HOME);
    EXPECT_EQ(box->Text(), ": TForm2");
    EXPECT_EQ(box->ItemHeight(), 12);
}

// Lines inserted and deleted one at a time reach the shown list in place, with the choice on its line
// and the keys walking the lines in order.
TEST_F(ComboBoxes, SingleInsertionsAndDeletionsReachTheShownList) {
    box->SetStyle(csDropDownList);
    box->SetSorted(true);
    for (const char* line : {"m", "c", "x", "a"})
        box->Items()->Add(line);
    box->SetItemIndex(box->Items()->IndexOf("m"));
    box->Items()->Add("d"); // before the chosen line
    box->Items()->Delete(box->Items()->IndexOf("x"));
    EXPECT_EQ(box->Items()->Text(), "a\r\nc\r\nd\r\nm\r\n");
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_EQ(box->Text(), "m");
    Focus();
    std::vector<std::string> walked;
    TInputSimulator::KeyPress(VK_HOME);
    for (int i = 0; i < 4; ++i) {
        walked.push_back(box->Text());
        TInputSimulator::KeyPress(VK_DOWN);
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"a", "c", "d", "m"}));
    EXPECT_EQ(box->ItemIndex(), 3) << "no line after the last";
}

TEST_F(ComboBoxes, TypingIntoADropDownChangesTheText) {
    box->SetStyle(csDropDown);
    box->Items()->Add("first");
    box->SetItemIndex(0);
    EXPECT_EQ(box->Text(), "first");
    Focus();
    TInputSimulator::KeyPress(VK_END);
    TInputSimulator::TypeText("ly");
    EXPECT_EQ(box->Text(), "firstly");
    EXPECT_EQ(box->ItemIndex(), -1) << "typed text chooses no line";
    EXPECT_EQ(log.texts.back(), "firstly");
    box->SetText("by code");
    EXPECT_EQ(box->Text(), "by code");
    EXPECT_EQ(log.texts.size(), 2u) << "one change per typed character, none for code";
}

TEST_F(ComboBoxes, ItemsAndStyleStreamWithTheForm) {
    box->SetName("Components");
    box->SetStyle(csDropDownList);
    box->SetSorted(true);
    box->Items()->SetText("b\r\na\r\n");
    const std::string text = list_grid_test::WriteAsText(form);
    EXPECT_NE(text.find("Style = csDropDownList"), std::string::npos) << text;
    EXPECT_NE(text.find("Sorted = True"), std::string::npos) << text;
    EXPECT_NE(text.find("'a'\r\n      'b')"), std::string::npos) << text;
}

} // namespace
