#include "graphics/Graphic.h"

#include "core/FileReplace.h"
#include "core/Streams.h"
#include "streaming/Filer.h"

FW_PUBLISH(TGraphic) {
}

TGraphic::TGraphic() : FContentKey(NewContentKey()) {
}
TGraphic::~TGraphic() = default;

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    WriteFileReplacing(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TGraphic::DefineProperties(TFiler& filer) {
    filer.DefineKeyedBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
        !Empty(), FContentKey);
}

void TGraphic::ReadData(TStream& stream) {
    LoadFromStream(stream);
}

void TGraphic::WriteData(TStream& stream) {
    SaveToStream(stream);
}

void TGraphic::Changed() {
    FModified = true;
    FContentKey = NewContentKey();
    if (OnChange) OnChange(this);
}
