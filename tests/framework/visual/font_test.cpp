// Fonts, pens and brushes: published properties, defaults, change notification and how forms store them.
#include "graphics_support.h"

#include "graphics/Brush.h"
#include "graphics/Font.h"
#include "graphics/Pen.h"
#include "rtti/Properties.h"

#include <gtest/gtest.h>

namespace {

using namespace graphics_test;

class TFontHolder : public TComponent {
    FW_CLASS(TFontHolder, TComponent)
public:
    explicit TFontHolder(TComponent* owner) : TComponent(owner) {}
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }

private:
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

} // namespace

FW_PUBLISH(TFontHolder) {
    p.Property("Font", &TFontHolder::Font, &TFontHolder::SetFont);
}

namespace {

TEST(Font, PublishesItsPropertiesWithTheDefaultsOfANewFont) {
    struct Row {
        const char* name;
        TTypeKind kind;
        const char* type;
        int64_t defaultValue;
    } rows[] = {
        {"Charset", tkInteger, "TFontCharset", DEFAULT_CHARSET},
        {"Color", tkInteger, "TColor", clWindowText},
        {"Height", tkInteger, "Integer", TPropInfo::NoDefault},
        {"Name", tkLString, "TFontName", TPropInfo::NoDefault},
        {"Pitch", tkEnumeration, "TFontPitch", fpDefault},
        {"Size", tkInteger, "Integer", TPropInfo::NoDefault},
        {"Style", tkSet, "TFontStyles", 0},
    };
    TFont font;
    const TPropList props = GetPropList(&font);
    ASSERT_EQ(props.size(), std::size(rows));
    for (size_t i = 0; i < props.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(props[i]->Name, rows[i].name);
        EXPECT_EQ(props[i]->PropType->Kind, rows[i].kind);
        EXPECT_EQ(props[i]->PropType->Name, rows[i].type);
        if (rows[i].defaultValue != TPropInfo::NoDefault) {
            EXPECT_EQ(props[i]->Default, rows[i].defaultValue);
            EXPECT_EQ(GetOrdProp(&font, props[i]), rows[i].defaultValue);
        }
    }
    EXPECT_FALSE(IsStoredProp(&font, GetPropInfo(&font, "Size")));
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(TypeInfoOf<TFontCharset>()->Data.MaxValue, 255);
}

TEST(Font, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    struct Row {
        int height;
        int size;
    } heightToSize[] = {{-11, 8}, {-13, 10}, {-16, 12}, {-32, 24}, {-12, 9}, {12, -9}};
    TFont font;
    for (const Row& r : heightToSize) {
        font.SetHeight(r.height);
        EXPECT_EQ(font.Size(), r.size) << r.height;
    }
    struct Back {
        int size;
        int height;
    } sizeToHeight[] = {{8, -11}, {10, -13}, {12, -16}, {9, -12}, {24, -32}};
    for (const Back& r : sizeToHeight) {
        font.SetSize(r.size);
        EXPECT_EQ(font.Height(), r.height) << r.size;
    }
}

TEST(Font, NotifiesChangesAndAssignCopiesEverything) {
    TChangeCounter counter;
    TFont font;
    font.OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    font.SetColor(clRed);
    font.SetColor(clRed); // unchanged: no notification
    font.SetStyle({fsBold, fsItalic});
    font.SetName("Courier New");
    EXPECT_EQ(counter.Count, 3);

    TFont copy;
    copy.Assign(&font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsItalic}));
    TPen pen;
    EXPECT_EQ(MessageOf<EConvertError>([&] { font.Assign(&pen); }), "Cannot assign a TPen to a TFont");
}

TEST(Font, AFormStoresOnlyHeightAndNameOfADefaultFont) {
    TFontHolder holder(nullptr);
    holder.SetName("Holder");
    EXPECT_EQ(BinaryToText(WriteRoot(&holder)), "object Holder: TFontHolder\r\n"
                                                "  Font.Height = -11\r\n"
                                                "  Font.Name = 'MS Sans Serif'\r\n"
                                                "end\r\n");

    holder.Font()->SetStyle({fsBold});
    holder.Font()->SetColor(clRed);
    holder.Font()->SetHeight(-32);
    holder.Font()->SetCharset(GB2312_CHARSET);
    const std::string binary = WriteRoot(&holder);
    EXPECT_EQ(BinaryToText(binary), "object Holder: TFontHolder\r\n"
                                    "  Font.Charset = GB2312_CHARSET\r\n"
                                    "  Font.Color = clRed\r\n"
                                    "  Font.Height = -32\r\n"
                                    "  Font.Name = 'MS Sans Serif'\r\n"
                                    "  Font.Style = [fsBold]\r\n"
                                    "end\r\n");
    TFontHolder copy(nullptr);
    ReadRoot(binary, &copy);
    EXPECT_TRUE(copy.Font()->SameAs(*holder.Font()));
}

TEST(PenAndBrush, DefaultsAndPublishedProperties) {
    TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Mode(), pmCopy);
    EXPECT_EQ(pen.Style(), psSolid);
    EXPECT_EQ(pen.Width(), 1);
    pen.SetWidth(0);
    EXPECT_EQ(pen.Width(), 1);
    EXPECT_EQ(GetPropInfo(&pen, "Mode")->Default, pmCopy);
    EXPECT_EQ(GetEnumName(GetPropInfo(&pen, "Mode")->PropType, pmXor), "pmXor");
    EXPECT_EQ(GetEnumName(GetPropInfo(&pen, "Style")->PropType, psInsideFrame), "psInsideFrame");

    TBrush brush;
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetStyle(bsClear);
    brush.SetColor(clRed); // choosing a colour makes a hollow brush solid
    EXPECT_EQ(brush.Style(), bsSolid);

    TChangeCounter counter;
    TPen copy;
    copy.OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    pen.SetMode(pmXor);
    copy.Assign(&pen);
    EXPECT_EQ(copy.Mode(), pmXor);
    EXPECT_EQ(counter.Count, 1);
}

} // namespace

TEST(Font, NamedColoursAndCharsetsReadBackFromTextAndNumbersStillRead) {
    TFontHolder holder(nullptr);
    holder.Font()->SetColor(clBtnFace);
    holder.Font()->SetCharset(TFontCharset(77));
    TFontHolder copy(nullptr);
    ReadRoot(WriteRoot(&holder), &copy);
    EXPECT_EQ(copy.Font()->Color(), clBtnFace);
    EXPECT_EQ(copy.Font()->Charset(), MAC_CHARSET);
    EXPECT_NE(BinaryToText(WriteRoot(&holder)).find("Font.Color = clBtnFace"), std::string::npos);

    holder.Font()->SetColor(TColor(0x123456)); // no name: a number
    EXPECT_NE(BinaryToText(WriteRoot(&holder)).find("Font.Color = 1193046"), std::string::npos);
    ReadRoot(WriteRoot(&holder), &copy);
    EXPECT_EQ(copy.Font()->Color(), TColor(0x123456));
}
