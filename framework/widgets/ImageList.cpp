// TImageList: glyph storage, drawing and the form data of the glyphs.
#include "widgets/ImageList.h"
#include "core/ClassRegistry.h"

#include "core/Streams.h"
#include "core/SysUtils.h"
#include "graphics/Bitmap.h"
#include "streaming/Filer.h"

#include <cstring>

FW_PUBLISH(TImageList) {
    p.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
    p.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
    p.Event("OnChange", &TImageList::OnChange);
}
FW_STREAMABLE(TImageList);

struct TImageList::TGlyph {
    TBitmap Image;
    bool HasTransparentColor = false;
    TColor TransparentColor = clNone;
    std::vector<uint8_t> Mask; // Width x Height, 1 = left out; empty when there is no mask
};

namespace {

constexpr char DataMagic[4] = {'F', 'W', 'I', 'L'};
constexpr int MaxGlyphSide = 4096;

[[noreturn]] void InvalidData() {
    throw EReadError("Invalid image list data");
}

uint32_t ReadU32(TStream& stream) {
    uint8_t b[4];
    if (stream.Read(b, 4) != 4) InvalidData();
    return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}

void WriteU32(TStream& stream, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    stream.WriteBuffer(b, 4);
}

} // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner), FContentKey(NewContentKey()) {
}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int width) {
    width = std::clamp(width, 1, MaxGlyphSide);
    if (width == FWidth) return;
    FWidth = width;
    Clear();
}

void TImageList::SetHeight(int height) {
    height = std::clamp(height, 1, MaxGlyphSide);
    if (height == FHeight) return;
    FHeight = height;
    Clear();
}

void TImageList::Changed() {
    FContentKey = NewContentKey();
    if (OnChange) OnChange(this);
}

const TImageList::TGlyph& TImageList::Glyph(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation(Format("Invalid image list index (%d)", index));
    return *FGlyphs[static_cast<size_t>(index)];
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    const int first = Count();
    const int columns = std::max(1, image->Width() / FWidth);
    for (int column = 0; column < columns; ++column) {
        auto glyph = std::make_unique<TGlyph>();
        glyph->Image.SetSize(FWidth, FHeight);
        TCanvas* canvas = glyph->Image.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 0, FWidth, FHeight});
        const TRect source = TRect::FromBounds(column * FWidth, 0, FWidth, FHeight);
        canvas->CopyRect({0, 0, FWidth, FHeight}, *image->Canvas(), source);
        if (mask && !mask->Empty()) {
            glyph->Mask.assign(static_cast<size_t>(FWidth * FHeight), 0);
            for (int y = 0; y < FHeight && y < mask->Height(); ++y)
                for (int x = 0; x < FWidth && source.Left + x < mask->Width(); ++x)
                    if (ColorToRGB(mask->Canvas()->Pixels(source.Left + x, y)) != 0)
                        glyph->Mask[static_cast<size_t>(y * FWidth + x)] = 1;
        }
        FGlyphs.push_back(std::move(glyph));
    }
    Changed();
    return first;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    const int first = Add(image);
    if (first < 0) return first;
    for (int i = first; i < Count(); ++i) {
        FGlyphs[static_cast<size_t>(i)]->HasTransparentColor = true;
        FGlyphs[static_cast<size_t>(i)]->TransparentColor = static_cast<TColor>(ColorToRGB(maskColor));
    }
    Changed();
    return first;
}

void TImageList::Delete(int index) {
    Glyph(index);
    FGlyphs.erase(FGlyphs.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (FGlyphs.empty()) return;
    FGlyphs.clear();
    Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    const TGlyph& glyph = Glyph(index);
    auto& image = const_cast<TBitmap&>(glyph.Image);
    if (enabled && !glyph.HasTransparentColor && glyph.Mask.empty()) {
        canvas->Draw(x, y, &image);
        return;
    }
    // Glyphs are small: pixel by pixel keeps masks and greying exact.
    TCanvas* source = image.Canvas();
    const int32_t transparent = ColorToRGB(glyph.TransparentColor);
    for (int py = 0; py < FHeight; ++py)
        for (int px = 0; px < FWidth; ++px) {
            if (!glyph.Mask.empty() && glyph.Mask[static_cast<size_t>(py * FWidth + px)]) continue;
            const TColor pixel = source->Pixels(px, py);
            if (glyph.HasTransparentColor && ColorToRGB(pixel) == transparent) continue;
            canvas->SetPixels(x + px, y + py, enabled ? pixel : clBtnShadow);
        }
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) const {
    Glyph(index);
    bitmap->SetSize(FWidth, FHeight);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect({0, 0, FWidth, FHeight});
    Draw(bitmap->Canvas(), 0, 0, index);
}

void TImageList::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TImageList*>(source);
    if (!other) return TComponent::Assign(source);
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    FGlyphs.clear();
    for (const auto& g : other->FGlyphs) {
        auto copy = std::make_unique<TGlyph>();
        copy->Image.Assign(&g->Image);
        copy->HasTransparentColor = g->HasTransparentColor;
        copy->TransparentColor = g->TransparentColor;
        copy->Mask = g->Mask;
        FGlyphs.push_back(std::move(copy));
    }
    Changed();
}

void TImageList::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineKeyedBinaryProperty(
        "Bitmap", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !FGlyphs.empty(),
        FContentKey);
}

// "FWIL", width, height, count; per glyph: flags (1 transparent colour, 2 mask), the transparent
// colour, the .bmp length and bytes, and with a mask Width x Height bytes of 0 or 1.
void TImageList::WriteData(TStream& stream) {
    stream.WriteBuffer(DataMagic, 4);
    WriteU32(stream, static_cast<uint32_t>(FWidth));
    WriteU32(stream, static_cast<uint32_t>(FHeight));
    WriteU32(stream, static_cast<uint32_t>(FGlyphs.size()));
    for (const auto& glyph : FGlyphs) {
        const uint8_t flags = (glyph->HasTransparentColor ? 1 : 0) | (glyph->Mask.empty() ? 0 : 2);
        stream.WriteBuffer(&flags, 1);
        WriteU32(stream, static_cast<uint32_t>(glyph->TransparentColor));
        TMemoryStream bmp;
        glyph->Image.SaveToStream(bmp);
        WriteU32(stream, static_cast<uint32_t>(bmp.Size()));
        stream.WriteBuffer(bmp.Memory(), bmp.Size());
        if (!glyph->Mask.empty())
            stream.WriteBuffer(glyph->Mask.data(), static_cast<int64_t>(glyph->Mask.size()));
    }
}

void TImageList::ReadData(TStream& stream) {
    char magic[4];
    if (stream.Read(magic, 4) != 4 || std::memcmp(magic, DataMagic, 4) != 0) InvalidData();
    const uint32_t width = ReadU32(stream), height = ReadU32(stream), count = ReadU32(stream);
    if (width < 1 || height < 1 || width > MaxGlyphSide || height > MaxGlyphSide) InvalidData();
    // Every glyph takes at least its fixed fields: a count beyond the data left is a damaged stream.
    if (count > static_cast<uint64_t>(stream.Size() - stream.Position()) / 9) InvalidData();
    std::vector<std::unique_ptr<TGlyph>> glyphs;
    for (uint32_t i = 0; i < count; ++i) {
        auto glyph = std::make_unique<TGlyph>();
        uint8_t flags = 0;
        if (stream.Read(&flags, 1) != 1 || flags > 3) InvalidData();
        glyph->HasTransparentColor = flags & 1;
        glyph->TransparentColor = static_cast<TColor>(ReadU32(stream));
        const uint32_t length = ReadU32(stream);
        if (length > static_cast<uint64_t>(stream.Size() - stream.Position())) InvalidData();
        TMemoryStream bmp;
        bmp.CopyFrom(stream, length);
        bmp.SetPosition(0);
        glyph->Image.LoadFromStream(bmp);
        if (glyph->Image.Width() != static_cast<int>(width) ||
            glyph->Image.Height() != static_cast<int>(height))
            InvalidData();
        if (flags & 2) {
            const uint64_t size = static_cast<uint64_t>(width) * height;
            if (size > static_cast<uint64_t>(stream.Size() - stream.Position())) InvalidData();
            glyph->Mask.resize(size);
            stream.ReadBuffer(glyph->Mask.data(), static_cast<int64_t>(size));
        }
        glyphs.push_back(std::move(glyph));
    }
    FWidth = static_cast<int>(width);
    FHeight = static_cast<int>(height);
    FGlyphs = std::move(glyphs);
    Changed();
}
