#include "graphics/Picture.h"

#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "graphics/Bitmap.h"
#include "graphics/Icon.h"
#include "graphics/JpegImage.h"
#include "graphics/Metafile.h"
#include "graphics/PngImage.h"
#include "rtti/ClassInfo.h"
#include "streaming/Filer.h"

#include <algorithm>
#include <vector>

FW_PUBLISH(TPicture) {
}

// ---- the format registry ----------------------------------------------------------------------------------

namespace {

struct TFileFormat {
    std::string Extension; // lower case, no dot
    std::string Description;
    TClass GraphicClass;
};

// Oldest first; searches run from the back.
std::vector<TFileFormat>& Formats() {
    static std::vector<TFileFormat> formats = {
        {"jpeg", "JPEG images", TJPEGImage::StaticClass()},
        {"jpg", "JPEG images", TJPEGImage::StaticClass()},
        {"png", "PNG images", TPngImage::StaticClass()},
        {"svg", "Metafiles", TMetafile::StaticClass()},
        {"ico", "Icons", TIcon::StaticClass()},
        {"bmp", "Bitmaps", TBitmap::StaticClass()},
    };
    return formats;
}

// The class of a stored graphic: a registered format's class, else any graphic class the class registry
// knows.
TClass GraphicClassNamed(std::string_view name) {
    const auto& formats = Formats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it)
        if (SameText(it->GraphicClass->Name, name)) return it->GraphicClass;
    TClass cls = GetClass(name);
    return cls && cls->InheritsFrom(TGraphic::StaticClass()) ? cls : nullptr;
}

std::unique_ptr<TGraphic> NewGraphic(TClass cls) {
    return std::unique_ptr<TGraphic>(static_cast<TGraphic*>(cls->Create()));
}

std::string ExtensionOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return fileName.substr(dot + 1);
}

} // namespace

void TPicture::RegisterFileFormat(std::string_view extension, std::string_view description,
                                  TClass graphicClass) {
    if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()))
        throw EInvalidGraphic("Invalid graphic class");
    if (!extension.empty() && extension[0] == '.') extension.remove_prefix(1);
    Formats().push_back({LowerCase(extension), std::string(description), graphicClass});
}

void TPicture::UnregisterGraphicClass(TClass graphicClass) {
    std::erase_if(Formats(),
                  [&](const TFileFormat& f) { return f.GraphicClass->InheritsFrom(graphicClass); });
}

TClass TPicture::FindGraphicClass(std::string_view extension) {
    const auto& formats = Formats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it)
        if (SameText(it->Extension, extension)) return it->GraphicClass;
    return nullptr;
}

std::string GraphicFilter(TClass graphicClass) {
    std::string descriptions, masks;
    int count = 0;
    const auto& formats = Formats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (!it->GraphicClass->InheritsFrom(graphicClass)) continue;
        ++count;
        if (!descriptions.empty()) descriptions += '|';
        descriptions += Format("%s (*.%s)|*.%s", it->Description, it->Extension, it->Extension);
        if (!masks.empty()) masks += ';';
        masks += "*." + it->Extension;
    }
    if (count > 1) return Format("All (%s)|%s|%s", masks, masks, descriptions);
    return descriptions;
}

std::string GraphicExtension(TClass graphicClass) {
    const auto& formats = Formats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it)
        if (it->GraphicClass == graphicClass) return it->Extension;
    return {};
}

std::string GraphicFileMask(TClass graphicClass) {
    std::string masks;
    const auto& formats = Formats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (!it->GraphicClass->InheritsFrom(graphicClass)) continue;
        if (!masks.empty()) masks += ';';
        masks += "*." + it->Extension;
    }
    return masks;
}

// ---- the picture ------------------------------------------------------------------------------------------

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::ReplaceGraphic(std::unique_ptr<TGraphic> graphic) {
    if (!graphic && !FGraphic) return;
    FGraphic = std::move(graphic);

    if (FGraphic) FGraphic->OnChange = TNotifyEvent::Bind<&TPicture::GraphicChanged>(this);
    Changed();
}

void TPicture::GraphicChanged(TObject*) {
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == FGraphic.get()) return;
    if (!graphic) return ReplaceGraphic(nullptr);
    std::unique_ptr<TGraphic> copy = NewGraphic(graphic->ClassType());
    copy->Assign(graphic);
    ReplaceGraphic(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    TBitmap* result = bitmap.get();
    ReplaceGraphic(std::move(bitmap));
    return result;
}

TIcon* TPicture::Icon() {
    if (auto* icon = dynamic_cast<TIcon*>(FGraphic.get())) return icon;
    auto icon = std::make_unique<TIcon>();
    TIcon* result = icon.get();
    ReplaceGraphic(std::move(icon));
    return result;
}

TMetafile* TPicture::Metafile() {
    if (auto* metafile = dynamic_cast<TMetafile*>(FGraphic.get())) return metafile;
    auto metafile = std::make_unique<TMetafile>();
    TMetafile* result = metafile.get();
    ReplaceGraphic(std::move(metafile));
    return result;
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    const std::string extension = ExtensionOf(fileName);
    TClass cls = FindGraphicClass(extension);
    if (!cls) throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", extension));
    std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
    graphic->LoadFromFile(fileName);
    ReplaceGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) return SetGraphic(nullptr);
    if (auto* picture = dynamic_cast<const TPicture*>(source)) return SetGraphic(picture->FGraphic.get());
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) return SetGraphic(graphic);
    inherited::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) const {
    if (FGraphic && dest->InheritsFrom(FGraphic->ClassType())) return dest->Assign(FGraphic.get());
    inherited::AssignTo(dest);
}

void TPicture::DefineProperties(TFiler& filer) {
    // The graphic's key covers its class too: no other graphic object ever has it.
    filer.DefineKeyedBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
        FGraphic != nullptr, FGraphic ? FGraphic->ContentKey() : 0);
}

void TPicture::ReadData(TStream& stream) {
    uint8_t length = 0;
    if (stream.Read(&length, 1) == 0 || length == 0) return SetGraphic(nullptr);
    std::string name(length, '\0');
    stream.ReadBuffer(name.data(), length);
    TClass cls = GraphicClassNamed(name);
    if (!cls) throw EClassNotFound(Format("Class %s not found", name));
    std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
    graphic->ReadData(stream);
    ReplaceGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
    if (!FGraphic) return;
    const std::string& name = FGraphic->ClassName();
    const uint8_t length = static_cast<uint8_t>(std::min<size_t>(name.size(), 255));
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.data(), length);
    FGraphic->WriteData(stream);
}
