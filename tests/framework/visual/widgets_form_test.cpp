// A dialog read from its text form: two groups of radio buttons and OK, Cancel and Help buttons, used
// the way a person uses it.
#include "core/ClassRegistry.h"
#include "list_grid_support.h"
#include "widgets_support.h"

#include "core/Streams.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "ui/ModalLoop.h"

namespace {

using namespace widgets_test;

const char* const dialogText = R"(object Dialog: TForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Alignment'
  ClientHeight = 191
  ClientWidth = 320
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 148
    Height = 140
    Caption = 'Horizontal'
    TabOrder = 0
    object hNoChange: TRadioButton
      Left = 12
      Top = 16
      Width = 133
      Height = 18
      Caption = '&No change'
      Checked = True
      TabOrder = 0
      TabStop = True
    end
    object hLeftSides: TRadioButton
      Left = 12
      Top = 36
      Width = 133
      Height = 18
      Caption = '&Left sides'
      TabOrder = 1
    end
    object hRightSides: TRadioButton
      Left = 12
      Top = 56
      Width = 133
      Height = 18
      Caption = '&Right sides'
      TabOrder = 2
    end
  end
  object GroupBox2: TGroupBox
    Left = 164
    Top = 8
    Width = 148
    Height = 140
    Caption = 'Vertical'
    TabOrder = 1
    object vNoChange: TRadioButton
      Left = 11
      Top = 16
      Width = 90
      Height = 18
      Caption = 'No chan&ge'
      Checked = True
      TabOrder = 0
      TabStop = True
    end
    object vBottoms: TRadioButton
      Left = 11
      Top = 36
      Width = 90
      Height = 18
      Caption = '&Bottoms'
      TabOrder = 1
    end
  end
  object OKButton: TButton
    Left = 77
    Top = 158
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelButton: TButton
    Left = 157
    Top = 158
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
  object HelpButton: TButton
    Left = 237
    Top = 158
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 4
  end
end
)";

class TextForm : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamableClasses();
        TStringStream text(dialogText), binary;
        ObjectTextToBinary(text, binary);
        binary.SetPosition(0);
        dialog = new TForm(nullptr);
        TReader reader(binary);
        reader.ReadRootComponent(dialog);
    }
    void TearDown() override {
        delete dialog;
        Application->ProcessMessages();
    }
    template <class T> T* Find(const char* name) { return dynamic_cast<T*>(dialog->FindComponent(name)); }
    TForm* dialog = nullptr;
};

TEST_F(TextForm, ReadsEveryControlIntoItsParentAndTabOrder) {
    auto* group = Find<TGroupBox>("GroupBox1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Caption(), "Horizontal");
    EXPECT_EQ(Find<TRadioButton>("hRightSides")->Parent(), group);
    EXPECT_EQ(Find<TRadioButton>("hRightSides")->TabOrder(), 2);
    EXPECT_TRUE(Find<TRadioButton>("hNoChange")->Checked());
    EXPECT_TRUE(Find<TRadioButton>("vNoChange")->Checked()) << "the groups are independent";
    EXPECT_FALSE(Find<TRadioButton>("hLeftSides")->TabStop());
    std::vector<TWinControl*> order;
    dialog->GetTabOrderList(order);
    std::vector<std::string> names;
    for (TWinControl* c : order)
        names.push_back(c->Name());
    EXPECT_EQ(names,
              (std::vector<std::string>{"GroupBox1", "hNoChange", "hLeftSides", "hRightSides", "GroupBox2",
                                        "vNoChange", "vBottoms", "OKButton", "CancelButton", "HelpButton"}));
}

// Controls are written in creation order, which need not be their tab order: every tab order read comes
// back, however the two orders differ.
TEST(TextFormTabOrder, TabOrdersReadOutOfOrderComeBackAsRead) {
    RegisterStreamableClasses();
    const std::vector<std::vector<int>> orders = {{0, 1, 2, 3}, {3, 2, 1, 0}, {2, 0, 3, 1}, {1, 3, 0, 2}};
    for (const auto& order : orders) {
        std::string text = "object Form9: TForm\n";
        for (size_t i = 0; i < order.size(); ++i)
            text += "  object Edit" + std::to_string(i) +
                    ": TEdit\n    TabOrder = " + std::to_string(order[i]) + "\n  end\n";
        text += "end\n";
        TForm form(nullptr);
        list_grid_test::ReadFromText(text, &form);
        for (size_t i = 0; i < order.size(); ++i) {
            auto* edit = dynamic_cast<TWinControl*>(form.FindComponent("Edit" + std::to_string(i)));
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->TabOrder(), order[i]) << "Edit" << i;
        }
    }
}

// A stream may give an auto-sized image its size after its picture (values written in another order, or
// by hand): the image still takes its picture's size, so the form saves and loads back the same.
TEST(TextFormImage, AnAutoSizedImageTakesItsPicturesSizeWhateverComesAfter) {
    RegisterStreamableClasses();
    const std::string picture = "    Picture.Data = {\n"
                                "      07544269746D6170F6000000424DF60000000000000036000000280000000800\n"
                                "      0000080000000100180000000000C0000000130B0000130B0000000000000000\n"
                                "      00000000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF\n"
                                "      0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000\n"
                                "      FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF00\n"
                                "      00FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF\n"
                                "      0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000\n"
                                "      FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF0000FF00\n"
                                "      00FF}\n";
    for (const std::string& values : {"    AutoSize = True\n" + picture + "    Width = 75\n    Height = 0\n",
                                      "    Width = 75\n    Height = 0\n    AutoSize = True\n" + picture}) {
        TForm form(nullptr);
        list_grid_test::ReadFromText(
            "object Form9: TForm\n  object Image1: TImage\n" + values + "  end\nend\n", &form);
        auto* image = dynamic_cast<TControl*>(form.FindComponent("Image1"));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), 8) << values;
        EXPECT_EQ(image->Height(), 8) << values;
    }
}

TEST_F(TextForm, ClicksChooseOneButtonPerGroupAndEnterConfirms) {
    TModalDriver::QueueAction([this](TObject*) {
        TInputSimulator::Click(Find<TRadioButton>("hRightSides"), {6, 9});
        TInputSimulator::Click(Find<TRadioButton>("vBottoms"), {6, 9});
        TInputSimulator::KeyPress(VK_RETURN, {}, dialog->Handle());
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(Find<TRadioButton>("hRightSides")->Checked());
    EXPECT_FALSE(Find<TRadioButton>("hNoChange")->Checked());
    EXPECT_TRUE(Find<TRadioButton>("vBottoms")->Checked());
    EXPECT_FALSE(Find<TRadioButton>("vNoChange")->Checked());

    TModalDriver::QueueAction(
        [this](TObject*) { TInputSimulator::KeyPress(VK_ESCAPE, {}, dialog->Handle()); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    TModalDriver::QueueAction([this](TObject*) {
        TInputSimulator::Click(Find<TButton>("HelpButton"), {10, 10}); // no result: the dialog stays
        TInputSimulator::Click(Find<TButton>("CancelButton"), {10, 10});
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(TextForm, LooksRight) {
    dialog->Show();
    Application->ProcessMessages();
    TBitmap bitmap;
    GrabWindow(dialog->Handle(), bitmap);
    TCanvas& pixels = *bitmap.Canvas();
    EXPECT_EQ(bitmap.Width(), 320);
    EXPECT_EQ(pixels.Pixels(160, 5), Rgb(clBtnFace)) << "the form's face between the groups";
    // Each group box draws a frame: some pixel of its left edge differs from the face.
    for (int left : {8, 164}) {
        bool frame = false;
        for (int x = left; x < left + 4; ++x)
            frame = frame || pixels.Pixels(x, 8 + 70) != Rgb(clBtnFace);
        EXPECT_TRUE(frame) << "group box at " << left;
    }
    // The push buttons are drawn by Qt: the middle of the OK button is not the form's face.
    bool button = false;
    for (int x = 77; x < 152; ++x)
        button = button || pixels.Pixels(x, 158 + 1) != Rgb(clBtnFace);
    EXPECT_TRUE(button);
}

} // namespace
