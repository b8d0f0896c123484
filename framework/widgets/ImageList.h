// TImageList: a list of glyphs of one fixed size, drawn by index.
//
// Adding a bitmap wider than Width adds one glyph per Width-wide column of it (a strip of glyphs);
// glyphs are cut to Width x Height. A glyph is opaque, or leaves out the pixels of its transparent colour
// (AddMasked), or those set in a mask (Add with a mask bitmap: non-black mask pixels are left out). In a
// form the glyphs are stored as the binary property "Bitmap".
#pragma once

#include "core/Component.h"
#include "graphics/Colors.h"

#include <cstdint>
#include <memory>
#include <vector>

#pragma GCC visibility push(default)

class TBitmap;
class TCanvas;
class TStream;

class TImageList : public TComponent {
    FW_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // Changing the size clears the list.
    int Width() const { return FWidth; }
    void SetWidth(int width);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Count() const { return static_cast<int>(FGlyphs.size()); }

    // Each returns the index of the first glyph added, or -1 when the bitmap is empty.
    int Add(TBitmap* image, TBitmap* mask = nullptr);
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws glyph `index` with its top-left corner at (x, y); a disabled glyph is drawn greyed (its
    // shown pixels in the button shadow colour). Fails with EInvalidOperation "Invalid image list index
    // (%d)" for a bad index.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Copies glyph `index` into `bitmap` (Width x Height; left-out pixels white).
    void GetBitmap(int index, TBitmap* bitmap) const;

    TNotifyEvent OnChange;

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

private:
    struct TGlyph;
    void Changed();
    const TGlyph& Glyph(int index) const;
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::unique_ptr<TGlyph>> FGlyphs;
    uint64_t FContentKey; // of the glyphs' form data
};

#pragma GCC visibility pop
