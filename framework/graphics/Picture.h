// TPicture: holds one graphic of any registered format, or none, and knows the picture file formats.
//
// The picture owns its graphic. Loading picks the graphic class by the file's extension from the format
// registry; assigning copies. In a form a picture stores the binary property "Data": the graphic's class
// name as a short string (length byte, characters), then the graphic's own form data.
//
// The format registry lists (extension, description, graphic class) and is searched from the newest
// registration; built in are, oldest first, jpeg, jpg (TJPEGImage), png (TPngImage), svg (TMetafile),
// ico (TIcon) and bmp (TBitmap).
#pragma once

#include "core/Persistent.h"
#include "graphics/Graphic.h"

#include <memory>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

class TBitmap;
class TIcon;
class TMetafile;

class TPicture : public TPersistent {
    FW_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    // Null when the picture is empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of `graphic` (a new object of its class), or nothing for null.
    void SetGraphic(const TGraphic* graphic);
    // The graphic as that class; a graphic of another class (or none) is first replaced by an empty one.
    TBitmap* Bitmap();
    TIcon* Icon();
    TMetafile* Metafile();
    // The graphic's size; 0 without one.
    int Width() const;
    int Height() const;

    // The extension (after the last dot, any letter case) selects the class. Fails with EInvalidGraphic
    // "Unknown picture file extension (.%s)", or with the graphic's load error; the picture is then
    // unchanged.
    void LoadFromFile(const std::string& fileName);
    // Saves the graphic in its own format; does nothing without one.
    void SaveToFile(const std::string& fileName);

    // From another picture, a graphic (copied), null (cleared), or the clipboard.
    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    // Called after the graphic is replaced or changes.
    TNotifyEvent OnChange;

    // ---- the format registry
    // Adds a format; `extension` without the dot. `graphicClass` must derive from TGraphic.
    static void RegisterFileFormat(std::string_view extension, std::string_view description,
                                   TClass graphicClass);
    // Removes every format of the class and of classes derived from it.
    static void UnregisterGraphicClass(TClass graphicClass);
    // The class registered for an extension (any letter case, without the dot), or null.
    static TClass FindGraphicClass(std::string_view extension);

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    void ReplaceGraphic(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject* sender);
    void Changed();
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    std::unique_ptr<TGraphic> FGraphic;
};

// File dialog filters for the formats of `graphicClass` and its descendants, newest first:
// "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico"; the "All" entry only when
// there is more than one format.
std::string GraphicFilter(TClass graphicClass);
// The extension of the newest format registered for exactly this class; empty when there is none.
std::string GraphicExtension(TClass graphicClass);
// "*.bmp;*.ico": the masks of the formats of the class and its descendants.
std::string GraphicFileMask(TClass graphicClass);

#pragma GCC visibility pop
