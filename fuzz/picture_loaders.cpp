// Fuzz target: arbitrary bytes -> the loader of every registered picture format, through the framework's
// load-from-stream path (what opening a picture file and reading a form's picture data run). A load
// either fails with EInvalidGraphic, or with EOutOfResources when the picture needs more than the memory
// budget of one load, or gives a graphic of at most 16384 pixels either way that draws, saves, and loads
// again from what it saved.
//
// The seed corpus in corpus/picture_loaders (one small picture per format) was made by this file's seed
// writer, after a normal build:
//     g++ -std=c++20 -fPIC -DFUZZ_WRITE_SEEDS -Iframework $(pkg-config --cflags Qt6Widgets Qt6Svg) \
//         fuzz/picture_loaders.cpp build/framework/libframework.a build/framework/libfw_base.a \
//         $(pkg-config --libs Qt6Widgets Qt6Svg) -o /tmp/seeds && /tmp/seeds fuzz/corpus/picture_loaders
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "ui/Application.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every registered graphic class with the newest extension registered for it.
std::vector<std::pair<std::string, TClass>> RegisteredFormats() {
    std::vector<std::pair<std::string, TClass>> formats;
    std::string masks = GraphicFileMask(TGraphic::StaticClass()) + ";";
    for (size_t start = 0, end; (end = masks.find(';', start)) != std::string::npos; start = end + 1) {
        const std::string extension = masks.substr(start + 2, end - start - 2); // after "*."
        const TClass cls = TPicture::FindGraphicClass(extension);
        if (std::find_if(formats.begin(), formats.end(), [&](const auto& f) { return f.second == cls; }) ==
            formats.end())
            formats.emplace_back(extension, cls);
    }
    return formats;
}

std::unique_ptr<TGraphic> NewGraphic(TClass cls) {
    return std::unique_ptr<TGraphic>(static_cast<TGraphic*>(cls->Create()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The image decoders' complaints about damaged input would drown the fuzzer's own report.
    setenv("QT_LOGGING_RULES", "*=false", 0);
    Application->Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto formats = RegisteredFormats();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& [extension, cls] : formats) {
        auto graphic = NewGraphic(cls);
        TStringStream input(bytes);
        try {
            graphic->LoadFromStream(input);
        } catch (const EInvalidGraphic&) {
            continue; // rejected input is fine; crashes, sanitizer reports and other exceptions are not
        } catch (const EOutOfResources&) {
            continue;
        }
        if (graphic->Width() > 16384 || graphic->Height() > 16384) std::abort();

        TBitmap target;
        target.SetSize(24, 24);
        target.Canvas()->StretchDraw(TRect(0, 0, 24, 24), graphic.get());
        target.Canvas()->Draw(3, 3, graphic.get());

        TMemoryStream saved;
        graphic->SaveToStream(saved);
        saved.SetPosition(0);
        auto again = NewGraphic(cls);
        again->LoadFromStream(saved);
        if (again->Width() != graphic->Width() || again->Height() != graphic->Height()) std::abort();
    }
    return 0;
}

#ifdef FUZZ_WRITE_SEEDS
int main(int argc, char** argv) {
    if (argc != 2) return 2;
    LLVMFuzzerInitialize(&argc, &argv);
    TBitmap source;
    source.SetSize(6, 4);
    source.Canvas()->Brush()->SetColor(clRed);
    source.Canvas()->FillRect(TRect(0, 0, 6, 4));
    source.Canvas()->Brush()->SetColor(clBlue);
    source.Canvas()->FillRect(TRect(3, 2, 6, 4));
    for (const auto& [extension, cls] : RegisteredFormats()) {
        const std::string path = std::string(argv[1]) + "/seed." + extension;
        if (extension == "svg") {
            TStringStream document(R"(<svg xmlns="http://www.w3.org/2000/svg" width="6" height="4">)"
                                   R"(<rect width="3" height="2" fill="#ff0000"/>)"
                                   R"(<circle cx="4" cy="3" r="1" fill="#0000ff"/></svg>)");
            auto metafile = NewGraphic(cls);
            metafile->LoadFromStream(document);
            metafile->SaveToFile(path);
            continue;
        }
        auto graphic = NewGraphic(cls);
        graphic->Assign(&source);
        graphic->SaveToFile(path);
    }
    return 0;
}
#endif
