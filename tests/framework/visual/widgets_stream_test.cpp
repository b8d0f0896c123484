// A form holding one of each standard control goes to a binary form stream and back: the text form shows
// only what differs from the defaults, and every property survives the trip.
#include "graphics_support.h"
#include "widgets_support.h"

#include "graphics/Picture.h"

namespace {

using namespace widgets_test;

// The lines of one object block of a text form (line ends as "\n"), the nested blocks included.
std::string Block(std::string text, const std::string& name) {
    std::erase(text, '\r');
    const size_t start = text.find("object " + name + ":");
    if (start == std::string::npos) return "(no block " + name + ")";
    const size_t lineStart = text.rfind('\n', start) + 1;
    const std::string indent = text.substr(lineStart, start - lineStart);
    const size_t end = text.find("\n" + indent + "end\n", start);
    return text.substr(start, end - start);
}

// Every line of the block with its indentation removed, so that lines can be compared whole.
std::string Flatten(const std::string& block) {
    std::string out;
    bool lineStart = true;
    for (char c : block) {
        if (lineStart && c == ' ') continue;
        lineStart = c == '\n';
        out += c;
    }
    return out;
}

class Streaming : public WidgetTest {
protected:
    // One of each control, with some properties away from their defaults.
    void Populate() {
        auto* button = Add<TButton>("Button1", TRect::FromBounds(8, 8, 75, 25));
        button->SetCaption("OK");
        button->SetDefault(true);
        button->SetModalResult(mrOk);
        auto* cancel = Add<TBitBtn>("BitBtn1", TRect::FromBounds(88, 8, 75, 25));
        cancel->SetKind(bkCancel);
        cancel->SetMargin(2);
        auto* help = Add<TBitBtn>("BitBtn2", TRect::FromBounds(168, 8, 75, 25));
        help->SetKind(bkHelp);
        help->SetCaption("Help");
        auto* custom = Add<TBitBtn>("BitBtn3", TRect::FromBounds(248, 8, 25, 24));
        custom->Glyph()->SetSize(16, 16);
        custom->Glyph()->Canvas()->Brush()->SetColor(clNavy);
        custom->Glyph()->Canvas()->FillRect({4, 4, 12, 12});
        auto* speed = Add<TSpeedButton>("SpeedButton1", TRect::FromBounds(8, 40, 40, 25));
        speed->SetCaption("Table");
        speed->SetGroupIndex(2);
        speed->SetDown(true);
        speed->SetFlat(true);
        auto* label = Add<TLabel>("Label1", TRect::FromBounds(8, 70, 94, 37));
        label->SetAutoSize(false);
        label->SetCaption("&Label1");
        label->Font()->SetHeight(-32);
        auto* edit = Add<TEdit>("Edit1", TRect::FromBounds(8, 110, 60, 21));
        edit->SetText("42");
        edit->SetMaxLength(8);
        edit->SetEnabled(false);
        label->SetFocusControl(edit);
        auto* panel = Add<TPanel>("Panel1", TRect::FromBounds(100, 40, 170, 80));
        panel->SetCaption("Panel1");
        panel->SetBevelInner(bvLowered);
        panel->SetBorderWidth(2);
        auto* inside = Add<TButton>("Button2", panel, TRect::FromBounds(24, 8, 75, 25));
        inside->SetCaption("Inside");
        auto* bevel = Add<TBevel>("Bevel1", TRect::FromBounds(8, 140, 100, 4));
        bevel->SetShape(bsTopLine);
        auto* shape = Add<TShape>("Shape1", TRect::FromBounds(110, 130, 40, 40));
        shape->SetShape(stCircle);
        shape->Brush()->SetColor(clRed);
        shape->Pen()->SetWidth(2);
        auto* image = Add<TImage>("Image1", TRect::FromBounds(160, 130, 5, 5));
        image->SetAutoSize(true);
        TBitmap picture;
        graphics_test::Fill(picture, 12, 9, clTeal);
        image->Picture()->SetGraphic(&picture);
        auto* group = Add<TGroupBox>("GroupBox1", TRect::FromBounds(8, 180, 148, 50));
        group->SetCaption("Horizontal");
        auto* r1 = Add<TRadioButton>("RadioButton1", group, TRect::FromBounds(12, 16, 133, 18));
        auto* r2 = Add<TRadioButton>("RadioButton2", group, TRect::FromBounds(12, 36, 133, 18));
        r1->SetCaption("&No change");
        r2->SetCaption("&Left sides");
        r2->SetChecked(true);
        r2->SetAlignment(taLeftJustify);
        auto* check = Add<TCheckBox>("CheckBox1", TRect::FromBounds(170, 180, 97, 17));
        check->SetCaption("Grayed");
        check->SetAllowGrayed(true);
        check->SetState(cbGrayed);
    }
};

TEST_F(Streaming, TheTextFormCarriesOnlyWhatDiffersFromTheDefaults) {
    Populate();
    const std::string text = graphics_test::BinaryToText(graphics_test::WriteRoot(form));
    SCOPED_TRACE(text);
    struct Row {
        const char* object;
        std::vector<std::string> present, absent;
    };
    const Row rows[] = {
        {"Button1",
         {"Caption = 'OK'", "Default = True", "ModalResult = 1", "TabOrder = 0"},
         {"Cancel = False", "TabStop = True", "Enabled = True", "Font.Name"}},
        {"BitBtn1",
         {"Kind = bkCancel", "Margin = 2"},
         {"Caption", "ModalResult", "Cancel = True", "Glyph.Data"}},
        {"BitBtn2", {"Caption = 'Help'", "Kind = bkHelp"}, {"Glyph.Data"}},
        {"BitBtn3", {"Glyph.Data = {"}, {"Kind"}},
        {"SpeedButton1",
         {"GroupIndex = 2", "Down = True", "Caption = 'Table'", "Flat = True"},
         {"NumGlyphs"}},
        {"Label1",
         {"Caption = '&Label1'", "AutoSize = False", "FocusControl = Edit1", "Font.Height = -32",
          "ParentFont = False"},
         {"Color", "Transparent"}},
        {"Edit1", {"Text = '42'", "MaxLength = 8", "Enabled = False"}, {"Color", "ReadOnly", "CharCase"}},
        {"Panel1",
         {"Caption = 'Panel1'", "BevelInner = bvLowered", "BorderWidth = 2"},
         {"BevelOuter", "Color"}},
        {"Bevel1", {"Shape = bsTopLine"}, {"Style"}},
        {"Shape1",
         {"Shape = stCircle", "Brush.Color = clRed", "Pen.Width = 2"},
         {"Pen.Color", "Brush.Style"}},
        {"Image1", {"AutoSize = True", "Width = 12", "Height = 9", "Picture.Data = {"}, {"Stretch"}},
        {"GroupBox1", {"Caption = 'Horizontal'"}, {"TabStop"}},
        {"RadioButton2",
         {"Checked = True", "TabStop = True", "Alignment = taLeftJustify", "TabOrder = 1"},
         {}},
        {"RadioButton1", {"TabOrder = 0"}, {"Checked", "TabStop", "Alignment"}},
        {"CheckBox1", {"AllowGrayed = True", "State = cbGrayed"}, {"Checked"}},
    };
    for (const Row& row : rows) {
        std::string block = Flatten(Block(text, row.object));
        block = block.substr(0, block.find("\nobject ")); // its own lines, not its children's
        for (const std::string& line : row.present)
            EXPECT_NE(block.find("\n" + line), std::string::npos) << row.object << ": " << line;
        for (const std::string& start : row.absent)
            EXPECT_EQ(block.find("\n" + start), std::string::npos) << row.object << ": " << start;
    }
    EXPECT_NE(Block(text, "Panel1").find("object Button2: TButton"), std::string::npos)
        << "the panel's child";
    EXPECT_NE(Block(text, "GroupBox1").find("object RadioButton1: TRadioButton"), std::string::npos);
}

TEST_F(Streaming, EveryPropertySurvivesTheRoundTrip) {
    Populate();
    const std::string binary = graphics_test::WriteRoot(form);
    auto* copy = new TForm(nullptr);
    graphics_test::ReadRoot(binary, copy);
    auto find = [copy](const char* name) { return copy->FindComponent(name); };

    auto* button = dynamic_cast<TButton*>(find("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), copy);
    EXPECT_EQ(button->BoundsRect(), TRect::FromBounds(8, 8, 75, 25));
    EXPECT_EQ(button->Caption(), "OK");
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrOk);

    auto* cancel = dynamic_cast<TBitBtn*>(find("BitBtn1"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->Kind(), bkCancel);
    EXPECT_EQ(cancel->Caption(), "Cancel");
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->Margin(), 2);
    auto* help = dynamic_cast<TBitBtn*>(find("BitBtn2"));
    EXPECT_EQ(help->Kind(), bkHelp);
    EXPECT_EQ(help->Caption(), "Help") << "a caption read before the kind stays";
    auto* custom = dynamic_cast<TBitBtn*>(find("BitBtn3"));
    EXPECT_EQ(custom->Glyph()->Width(), 16);
    EXPECT_EQ(custom->Glyph()->Canvas()->Pixels(8, 8), clNavy);

    auto* speed = dynamic_cast<TSpeedButton*>(find("SpeedButton1"));
    EXPECT_EQ(speed->GroupIndex(), 2);
    EXPECT_TRUE(speed->Down());
    EXPECT_TRUE(speed->Flat());

    auto* label = dynamic_cast<TLabel*>(find("Label1"));
    auto* edit = dynamic_cast<TEdit*>(find("Edit1"));
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(label->BoundsRect(), TRect::FromBounds(8, 70, 94, 37));
    EXPECT_EQ(label->Font()->Height(), -32);
    EXPECT_FALSE(label->ParentFont());
    EXPECT_EQ(edit->Text(), "42");
    EXPECT_EQ(edit->MaxLength(), 8);
    EXPECT_FALSE(edit->Enabled());
    EXPECT_FALSE(edit->Modified());

    auto* panel = dynamic_cast<TPanel*>(find("Panel1"));
    EXPECT_EQ(panel->BevelInner(), bvLowered);
    EXPECT_EQ(panel->BevelOuter(), bvRaised);
    EXPECT_EQ(panel->BorderWidth(), 2);
    EXPECT_EQ(find("Button2")->Owner(), copy);
    EXPECT_EQ(static_cast<TControl*>(find("Button2"))->Parent(), panel);

    EXPECT_EQ(dynamic_cast<TBevel*>(find("Bevel1"))->Shape(), bsTopLine);
    auto* shape = dynamic_cast<TShape*>(find("Shape1"));
    EXPECT_EQ(shape->Shape(), stCircle);
    EXPECT_EQ(shape->Brush()->Color(), clRed);
    EXPECT_EQ(shape->Pen()->Width(), 2);
    auto* image = dynamic_cast<TImage*>(find("Image1"));
    EXPECT_EQ(image->BoundsRect(), TRect::FromBounds(160, 130, 12, 9));
    ASSERT_NE(image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(3, 3), clTeal);

    auto* r1 = dynamic_cast<TRadioButton*>(find("RadioButton1"));
    auto* r2 = dynamic_cast<TRadioButton*>(find("RadioButton2"));
    EXPECT_EQ(r1->Parent(), find("GroupBox1"));
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_EQ(r2->Alignment(), taLeftJustify);
    EXPECT_EQ(r2->TabOrder(), 1);
    EXPECT_EQ(r1->Caption(), "&No change");
    auto* check = dynamic_cast<TCheckBox*>(find("CheckBox1"));
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_TRUE(check->AllowGrayed());

    EXPECT_EQ(graphics_test::BinaryToText(graphics_test::WriteRoot(copy)),
              graphics_test::BinaryToText(binary))
        << "writing the copy gives the same form";
    delete copy;
}

TEST_F(Streaming, ReadControlsKeepTheirStreamedCaptionsAndSizes) {
    // A read label keeps its stored size until Loaded fits it to the text; a read control keeps the
    // caption the stream gives it, whatever its name.
    auto* label = Add<TLabel>("Label1", TRect::FromBounds(8, 8, 5, 5));
    label->SetCaption("Text");
    const TRect fitted = label->BoundsRect();
    auto* button = Add<TButton>("Button1", TRect::FromBounds(8, 40, 75, 25));
    button->SetCaption("");
    const std::string binary = graphics_test::WriteRoot(form);
    auto* copy = new TForm(nullptr);
    graphics_test::ReadRoot(binary, copy);
    EXPECT_EQ(static_cast<TControl*>(copy->FindComponent("Label1"))->BoundsRect(), fitted);
    EXPECT_EQ(static_cast<TControl*>(copy->FindComponent("Button1"))->Caption(), "");
    delete copy;
}

// The types the Object Inspector sees where a control allows only part of an enumeration.
TEST(StandardControlTypes, SubrangesLimitWhatTheInspectorOffers) {
    struct Row {
        TClass cls;
        const char* property;
        const char* typeName;
        int64_t maxValue;
    };
    for (const Row& r : {Row{TCheckBox::StaticClass(), "Alignment", "TLeftRight", taRightJustify},
                         Row{TRadioButton::StaticClass(), "Alignment", "TLeftRight", taRightJustify},
                         Row{TEdit::StaticClass(), "BorderStyle", "TBorderStyle", bsSingle},
                         Row{TLabel::StaticClass(), "Alignment", "TAlignment", taCenter},
                         Row{TButton::StaticClass(), "TabOrder", "TTabOrder", 32767},
                         Row{TBitBtn::StaticClass(), "NumGlyphs", "TNumGlyphs", 4}}) {
        const TPropInfo* prop = r.cls->FindProperty(r.property);
        ASSERT_NE(prop, nullptr) << r.cls->Name << "." << r.property;
        EXPECT_EQ(prop->PropType->Name, r.typeName);
        EXPECT_EQ(prop->PropType->Data.MaxValue, r.maxValue) << r.typeName;
    }
    // A value outside the subrange written by hand into a form is taken as the nearest allowed one.
    TCheckBox box(nullptr);
    box.SetAlignment(taCenter);
    EXPECT_EQ(box.Alignment(), taRightJustify);
}

} // namespace
