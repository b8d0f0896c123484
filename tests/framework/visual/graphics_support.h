// Helpers of the graphics tests: form streaming of a component, temporary files and pixel checks.
#pragma once

#include "core/Component.h"
#include "core/Streams.h"
#include "graphics/Bitmap.h"
#include "graphics/Colors.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace graphics_test {

inline std::string WriteRoot(TComponent* root) {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteRootComponent(root);
    }
    return stream.DataString();
}

inline std::string BinaryToText(const std::string& binary) {
    TStringStream input(binary), output;
    ObjectBinaryToText(input, output);
    return output.DataString();
}

inline void ReadRoot(const std::string& binary, TComponent* root) {
    TStringStream stream(binary);
    TReader reader(stream);
    reader.ReadRootComponent(root);
}

template <class E = Exception> std::string MessageOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

// A fresh folder under the system's temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir() {
        static int counter = 0;
        FPath = std::filesystem::temp_directory_path() /
                ("fw-graphics-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(FPath);
    }
    ~TTempDir() { std::filesystem::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A bitmap of the given size filled with one colour.
inline void Fill(TBitmap& bitmap, int width, int height, TColor color) {
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(TRect(0, 0, width, height));
}

// The pixels of a rectangle as one string of 'x' (colour `ink`) and '.' (anything else), rows separated
// by '|', to compare drawings at a glance.
inline std::string Picture(TCanvas& canvas, const TRect& area, TColor ink) {
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        if (y > area.Top) out += '|';
        for (int x = area.Left; x < area.Right; ++x)
            out += canvas.Pixels(x, y) == ink ? 'x' : '.';
    }
    return out;
}

} // namespace graphics_test
