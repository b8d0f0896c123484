// Helpers of the list box, combo box and grid tests: a shown form to put controls on, pixels of a
// window, and text form streaming of a root.
#pragma once

#include "core/Streams.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Windows.h"

#include <gtest/gtest.h>

#include <string>

namespace list_grid_test {

struct FormFixture : ::testing::Test {
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 400, 300);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    // The colour a person sees at a client point of the control's window, as RGB.
    static int32_t PixelAt(TWinControl* control, int x, int y) {
        TBitmap bitmap;
        GrabWindow(control->Handle(), bitmap);
        return ColorToRGB(bitmap.Canvas()->Pixels(x, y));
    }
    TForm* form = nullptr;
};

// The root written as a text form.
inline std::string WriteAsText(TComponent* root) {
    TStringStream binary;
    {
        TWriter writer(binary);
        writer.WriteRootComponent(root);
    }
    TStringStream input(binary.DataString()), output;
    ObjectBinaryToText(input, output);
    return output.DataString();
}

// Reads a text form into the root.
inline void ReadFromText(const std::string& text, TComponent* root) {
    TStringStream input(text), binary;
    ObjectTextToBinary(input, binary);
    TStringStream stream(binary.DataString());
    TReader reader(stream);
    reader.ReadRootComponent(root);
}

} // namespace list_grid_test
