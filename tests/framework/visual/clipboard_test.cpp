// The clipboard: text and pictures through the system clipboard.
#include "graphics_support.h"

#include "core/MemoryBudget.h"
#include "graphics/Clipboard.h"
#include "graphics/Icon.h"
#include "graphics/Metafile.h"
#include "graphics/Picture.h"
#include "graphics/PngImage.h"

#include <gtest/gtest.h>

namespace {

using namespace graphics_test;

const char* const svgDocument = R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="4">)"
                                R"(<rect width="8" height="4" fill="#0000ff"/></svg>)";

TEST(Clipboard, TextRoundTrip) {
    Clipboard()->SetAsText("object Button1: TButton\r\nend\r\n");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_PICTURE));
    EXPECT_EQ(Clipboard()->AsText(), "object Button1: TButton\r\nend\r\n");
    Clipboard()->SetAsText("Grüße");
    EXPECT_EQ(Clipboard()->AsText(), "Grüße");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");
}

TEST(Clipboard, ABitmapPictureComesBackAsABitmap) {
    TPicture source;
    Fill(*source.Bitmap(), 5, 3, clRed);
    source.Bitmap()->Canvas()->SetPixels(4, 2, clBlue);
    Clipboard()->Assign(&source);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_METAFILEPICT));

    TPicture pasted;
    pasted.Assign(Clipboard());
    ASSERT_NE(pasted.Graphic(), nullptr);
    EXPECT_EQ(pasted.Graphic()->ClassType(), TBitmap::StaticClass());
    EXPECT_EQ(pasted.Width(), 5);
    EXPECT_EQ(pasted.Bitmap()->Canvas()->Pixels(4, 2), clBlue);
    EXPECT_EQ(pasted.Bitmap()->Canvas()->Pixels(0, 0), clRed);

    TBitmap bitmap; // a bitmap can take the clipboard's picture directly
    bitmap.Assign(Clipboard());
    EXPECT_EQ(bitmap.Canvas()->Pixels(4, 2), clBlue);
    TPngImage png; // and so can the other raster formats
    png.Assign(Clipboard());
    EXPECT_EQ(png.Width(), 5);
}

TEST(Clipboard, APastedPictureIsChargedToTheMemoryBudgetOfThePaste) {
    TBitmap source;
    Fill(source, 256, 256, clRed);
    Clipboard()->Assign(&source);
    TPicture pasted;
    {
        // A paste that has spent nearly all its budget on other pictures cannot take this one too.
        const TMemoryBudgetScope paste;
        ChargeMemory(MemoryBudgetLeft() - 256 * 256);
        EXPECT_EQ(MessageOf<EOutOfResources>([&] { pasted.Assign(Clipboard()); }),
                  "Pictures too large: together they need more than 512 MB of memory");
        EXPECT_EQ(pasted.Graphic(), nullptr);
    }
    pasted.Assign(Clipboard());
    EXPECT_EQ(pasted.Width(), 256);
}

TEST(Clipboard, AMetafileComesBackAsAMetafile) {
    TMetafile metafile;
    TStringStream svg(svgDocument);
    metafile.LoadFromStream(svg);
    Clipboard()->Assign(&metafile);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_METAFILEPICT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP)); // other programs get an image
    TPicture pasted;
    pasted.Assign(Clipboard());
    ASSERT_NE(pasted.Graphic(), nullptr);
    EXPECT_EQ(pasted.Graphic()->ClassType(), TMetafile::StaticClass());
    EXPECT_EQ(pasted.Metafile()->Document(), svgDocument);
}

TEST(Clipboard, PastingWithoutAPictureFails) {
    Clipboard()->SetAsText("just text");
    TPicture picture;
    Fill(*picture.Bitmap(), 2, 2, clRed);
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.Assign(Clipboard()); }), "Invalid clipboard format");
    EXPECT_EQ(picture.Width(), 2); // unchanged
    TMetafile metafile;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { metafile.Assign(Clipboard()); }), "Invalid clipboard format");
    TBitmap bitmap;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { bitmap.Assign(Clipboard()); }), "Invalid clipboard format");
    TFont font;
    EXPECT_EQ(MessageOf<EConvertError>([&] { font.Assign(Clipboard()); }),
              "Cannot assign a TClipboard to a TFont");
}

TEST(Clipboard, OpeningToReadKeepsTheContentsAndClearingInsideEmptiesIt) {
    Clipboard()->SetAsText("kept");
    Clipboard()->Open();
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->Close();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(Clipboard, OpenAndCloseCollectSeveralFormatsInOneEntry) {
    TBitmap bitmap;
    Fill(bitmap, 2, 2, clRed);
    Clipboard()->Open();
    Clipboard()->SetAsText("caption");
    Clipboard()->Assign(&bitmap);
    Clipboard()->Close();
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_EQ(Clipboard()->AsText(), "caption");

    TPicture empty; // copying an empty picture leaves an empty clipboard
    Clipboard()->Assign(&empty);
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_PICTURE));
}

} // namespace
