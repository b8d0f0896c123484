// TGraphic: a picture of some format (bitmap, icon, metafile, PNG, JPEG) that can be loaded, saved,
// drawn on a canvas and stored in a form.
//
// In a form a graphic property stores its bytes as the binary property "Data" (ReadData/WriteData: by
// default the graphic's file bytes). Every change calls OnChange.
#pragma once

#include "core/Persistent.h"
#include "graphics/Types.h"

#include <cstdint>
#include <string>

#pragma GCC visibility push(default)

class TCanvas;
class TStream;

FW_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

class TGraphic : public TPersistent {
    FW_CLASS(TGraphic, TPersistent)
public:
    TGraphic();
    ~TGraphic() override;

    // True when there is nothing to draw.
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // Whether drawing leaves some pixels of the destination showing (a bitmap's transparent colour; icons,
    // metafiles and images with an alpha channel are always drawn with their own transparency).
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool transparent);
    // Set by every change; cleared by whoever saved the graphic.
    bool Modified() const { return FModified; }
    void SetModified(bool modified) { FModified = modified; }
    // Identifies the graphic's present form data: a new key with every change, and never another
    // graphic's (see TFiler::DefineKeyedBinaryProperty).
    uint64_t ContentKey() const { return FContentKey; }

    // Files in the graphic's own format. Opening fails with EFOpenError "Cannot open file %s", creating
    // with EFCreateError "Cannot create file %s"; bad contents, or a picture larger than 16384 pixels
    // either way, with the class's EInvalidGraphic message. Saving writes a new file that replaces the
    // old one only once it is complete (WriteFileReplacing), so a failed save leaves the old file intact.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // Reads the rest of the stream as one file of the graphic's format.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;

    void DefineProperties(TFiler& filer) override;
    // The form data of the graphic ("Data"); by default the file bytes.
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the graphic scaled into `rect` of the canvas.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual void Changed();

    bool FTransparent = false;
    bool FModified = false;

private:
    uint64_t FContentKey;
};

using TGraphicClass = TClass;

#pragma GCC visibility pop
