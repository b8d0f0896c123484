// TPicture: loading by extension, the format registry's filters, copies, change notification and the
// picture's form data.
#include "graphics_support.h"

#include "graphics/Icon.h"
#include "graphics/JpegImage.h"
#include "graphics/Metafile.h"
#include "graphics/Picture.h"
#include "graphics/PngImage.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace {

using namespace graphics_test;

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

const char* const svgDocument = R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="10">)"
                                R"(<rect width="30" height="10" fill="#00ff00"/></svg>)";

TEST(Picture, LoadsEachFileByItsExtension) {
    TTempDir dir;
    TBitmap bitmap;
    Fill(bitmap, 7, 5, clRed);
    bitmap.SaveToFile(dir.File("a.bmp"));
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(dir.File("a.png"));
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    jpeg.SaveToFile(dir.File("a.jpg"));
    jpeg.SaveToFile(dir.File("b.JPEG"));
    TIcon icon;
    icon.Assign(&bitmap);
    icon.SaveToFile(dir.File("a.ico"));
    WriteFile(dir.File("a.svg"), svgDocument);

    struct Row {
        const char* file;
        TClass cls;
        int width;
    } rows[] = {
        {"a.bmp", TBitmap::StaticClass(), 7},    {"a.png", TPngImage::StaticClass(), 7},
        {"a.jpg", TJPEGImage::StaticClass(), 7}, {"b.JPEG", TJPEGImage::StaticClass(), 7},
        {"a.ico", TIcon::StaticClass(), 7},      {"a.svg", TMetafile::StaticClass(), 30},
    };
    TPicture picture;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        picture.LoadFromFile(dir.File(r.file));
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(picture.Graphic()->ClassType(), r.cls);
        EXPECT_EQ(picture.Width(), r.width);
    }
}

TEST(Picture, AnUnknownExtensionOrABadFileLeavesThePictureAsItWas) {
    TTempDir dir;
    TPicture picture;
    Fill(*picture.Bitmap(), 3, 3, clRed);
    WriteFile(dir.File("notes.txt"), "hello");
    WriteFile(dir.File("broken.bmp"), "hello");
    struct Row {
        std::string file;
        std::string message;
    } rows[] = {
        {dir.File("notes.txt"), "Unknown picture file extension (.txt)"},
        {dir.File("noextension"), "Unknown picture file extension (.)"},
        {dir.File("broken.bmp"), "Bitmap image is not valid"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(r.file); }), r.message);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(picture.Width(), 3);
    }
    EXPECT_EQ(MessageOf<EFOpenError>([&] { picture.LoadFromFile(dir.File("gone.png")); }),
              "Cannot open file " + dir.File("gone.png"));
}

TEST(Picture, SavesInTheGraphicsOwnFormatAndNothingWithoutOne) {
    TTempDir dir;
    TPicture picture;
    picture.SaveToFile(dir.File("empty.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.bmp")));
    Fill(*picture.Bitmap(), 4, 4, clBlue);
    picture.SaveToFile(dir.File("out.bmp"));
    TPicture loaded;
    loaded.LoadFromFile(dir.File("out.bmp"));
    EXPECT_EQ(loaded.Bitmap()->Canvas()->Pixels(3, 3), clBlue);
}

TEST(Picture, AssignCopiesTheGraphicAndTypedAccessReplacesIt) {
    TPicture a, b;
    Fill(*a.Bitmap(), 5, 2, clRed);
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), a.Graphic());
    a.Bitmap()->Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(b.Bitmap()->Canvas()->Pixels(0, 0), clRed);

    TMetafile metafile;
    b.Assign(&metafile); // a graphic: copied
    EXPECT_EQ(b.Graphic()->ClassType(), TMetafile::StaticClass());
    EXPECT_EQ(b.Width(), 0);
    b.Icon(); // another class asked for: an empty one replaces the graphic
    EXPECT_EQ(b.Graphic()->ClassType(), TIcon::StaticClass());
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);

    TBitmap target;
    target.Assign(&a); // a picture holding a bitmap assigns its bitmap
    EXPECT_EQ(target.Width(), 5);
}

TEST(Picture, NotifiesWhenTheGraphicIsReplacedOrChanges) {
    TChangeCounter counter;
    TPicture picture;
    picture.OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(counter.Count, 1);
    bitmap->SetSize(2, 2);
    EXPECT_EQ(counter.Count, 2);
    bitmap->Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(counter.Count, 3);
    picture.SetGraphic(nullptr);
    EXPECT_EQ(counter.Count, 4);
}

TEST(PictureFormats, FiltersExtensionsAndMasksPerClass) {
    EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
              "All (*.bmp;*.ico;*.svg;*.png;*.jpg;*.jpeg)|*.bmp;*.ico;*.svg;*.png;*.jpg;*.jpeg|"
              "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Metafiles (*.svg)|*.svg|PNG images (*.png)|*.png|"
              "JPEG images (*.jpg)|*.jpg|JPEG images (*.jpeg)|*.jpeg");
    EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(GraphicFilter(TJPEGImage::StaticClass()),
              "All (*.jpg;*.jpeg)|*.jpg;*.jpeg|JPEG images (*.jpg)|*.jpg|JPEG images (*.jpeg)|*.jpeg");
    EXPECT_EQ(GraphicFileMask(TGraphic::StaticClass()), "*.bmp;*.ico;*.svg;*.png;*.jpg;*.jpeg");
    struct Row {
        TClass cls;
        const char* extension;
    } rows[] = {{TGraphic::StaticClass(), ""},     {TBitmap::StaticClass(), "bmp"},
                {TIcon::StaticClass(), "ico"},     {TMetafile::StaticClass(), "svg"},
                {TPngImage::StaticClass(), "png"}, {TJPEGImage::StaticClass(), "jpg"}};
    for (const Row& r : rows)
        EXPECT_EQ(GraphicExtension(r.cls), r.extension) << r.cls->Name;
    EXPECT_EQ(TPicture::FindGraphicClass("BMP"), TBitmap::StaticClass());
    EXPECT_EQ(TPicture::FindGraphicClass("gif"), nullptr);
}

// A bitmap subclass registered for a made-up extension, newest first in every list.
class TTestBitmap : public TBitmap {
    FW_CLASS(TTestBitmap, TBitmap)
};

} // namespace

FW_PUBLISH(TTestBitmap) {
}

namespace {

TEST(PictureFormats, NewRegistrationsComeFirstAndCanBeRemoved) {
    TPicture::RegisterFileFormat(".tbm", "Test bitmaps", TTestBitmap::StaticClass());
    EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()),
              "All (*.tbm;*.bmp)|*.tbm;*.bmp|Test bitmaps (*.tbm)|*.tbm|Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(GraphicExtension(TTestBitmap::StaticClass()), "tbm");
    EXPECT_EQ(GraphicExtension(TBitmap::StaticClass()), "bmp");
    TTempDir dir;
    TBitmap bitmap;
    Fill(bitmap, 2, 2, clRed);
    bitmap.SaveToFile(dir.File("x.TBM"));
    TPicture picture;
    picture.LoadFromFile(dir.File("x.TBM"));
    EXPECT_EQ(picture.Graphic()->ClassType(), TTestBitmap::StaticClass());

    TPicture::UnregisterGraphicClass(TTestBitmap::StaticClass());
    EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(dir.File("x.TBM")); }),
              "Unknown picture file extension (.TBM)");
    EXPECT_THROW(TPicture::RegisterFileFormat("xyz", "Not graphics", TPicture::StaticClass()),
                 EInvalidGraphic);
}

// A component with a picture property, as an image control.
class TPictureHolder : public TComponent {
    FW_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* picture) { FPicture->Assign(picture); }

private:
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

} // namespace

FW_PUBLISH(TPictureHolder) {
    p.Property("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture);
}

namespace {

TEST(PictureFormData, StoresTheClassNameThenTheGraphicsData) {
    TPictureHolder holder(nullptr);
    holder.SetName("Image1");
    EXPECT_EQ(BinaryToText(WriteRoot(&holder)), "object Image1: TPictureHolder\r\nend\r\n");

    struct Row {
        const char* name;
        std::function<void(TPicture&)> fill;
        const char* classNameHex; // the short string that starts the data
    } rows[] = {
        {"bitmap", [](TPicture& p) { Fill(*p.Bitmap(), 6, 3, clRed); }, "07544269746D6170"},
        {"metafile",
         [](TPicture& p) {
             TStringStream svg(svgDocument);
             p.Metafile()->LoadFromStream(svg);
         },
         "09544D65746166696C65"},
        {"icon",
         [](TPicture& p) {
             TBitmap b;
             Fill(b, 6, 3, clRed);
             p.Icon()->Assign(&b);
         },
         "055449636F6E"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.fill(*holder.Picture());
        const std::string binary = WriteRoot(&holder);
        const std::string text = BinaryToText(binary);
        const size_t open = text.find("Picture.Data = {");
        ASSERT_NE(open, std::string::npos) << text;
        std::string hex;
        for (size_t i = open + 16; i < text.size() && text[i] != '}'; ++i)
            if (std::isxdigit(static_cast<unsigned char>(text[i]))) hex += text[i];
        EXPECT_EQ(hex.substr(0, std::string(r.classNameHex).size()), r.classNameHex);

        TPictureHolder copy(nullptr);
        ReadRoot(binary, &copy);
        ASSERT_NE(copy.Picture()->Graphic(), nullptr);
        EXPECT_EQ(copy.Picture()->Graphic()->ClassType(), holder.Picture()->Graphic()->ClassType());
        EXPECT_EQ(copy.Picture()->Width(), holder.Picture()->Width());
        auto a = std::make_unique<TBitmap>(), b = std::make_unique<TBitmap>();
        Fill(*a, holder.Picture()->Width(), holder.Picture()->Height(), clWhite);
        Fill(*b, holder.Picture()->Width(), holder.Picture()->Height(), clWhite);
        a->Canvas()->Draw(0, 0, holder.Picture()->Graphic());
        b->Canvas()->Draw(0, 0, copy.Picture()->Graphic());
        EXPECT_EQ(b->Canvas()->Pixels(2, 1), a->Canvas()->Pixels(2, 1));
    }
}

TEST(PictureFormData, AnUnknownGraphicClassIsAReadError) {
    TPictureHolder holder(nullptr);
    const uint8_t data[] = {6, 'T', 'B', 'o', 'g', 'u', 's', 1, 2, 3};
    std::string binary = "TPF0";
    binary += '\x0e';
    binary += "TPictureHolder";
    binary += '\x06';
    binary += "Image1";
    binary += '\x0c';
    binary += "Picture.Data";
    binary += '\x0a';
    binary += std::string("\x0a\0\0\0", 4);
    binary += std::string(reinterpret_cast<const char*>(data), sizeof data);
    binary += std::string("\0\0", 2);
    const std::string message = MessageOf([&] { ReadRoot(binary, &holder); });
    EXPECT_NE(message.find("Class TBogus not found"), std::string::npos) << message;
    EXPECT_EQ(holder.Picture()->Graphic(), nullptr);
}

} // namespace
