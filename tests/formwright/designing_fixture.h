// The runtime designer attached to a shown sample form, with a recording inspector, for the tests of
// attaching, selection and mouse editing. Input goes through TInputSimulator, so the hooks run.
#pragma once

#include "CustomDesigner.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "formwright_support.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

#include <functional>

// A designer with a recording inspector designing a shown form that the fixture made; all three go at the
// end of the test, the designer first. A test may free the form itself and null the fixture's pointer.
class DesigningAForm : public ::testing::Test {
protected:
    template <class Form> void Design(Form*& shown) {
        FFreeForm = [&shown] {
            delete shown;
            shown = nullptr;
        };
        inspector = new TRecordingInspector(nullptr);
        designer = static_cast<TFormwright*>(CreateDesigner(TFormwright::StaticClass()));
        designer->SetInspector(inspector);
        designer->SetRoot(shown);
        Application->ProcessMessages();
        inspector->Calls.clear();
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        delete designer;
        if (FFreeForm) FFreeForm();
        delete inspector;
        Application->ProcessMessages();
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
    }

    TRecordingInspector* inspector = nullptr;
    TFormwright* designer = nullptr;

private:
    std::function<void()> FFreeForm;
};

class Designing : public DesigningAForm {
protected:
    void SetUp() override {
        form = new TDesignSample(nullptr);
        form->Show();
        Design(form);
    }

    HWND FormWindow() const { return form->Handle(); }
    void Click(TPoint point, TShiftState shift = {}) {
        TInputSimulator::Click(FormWindow(), point, mbLeft, shift);
    }
    void Drag(TPoint from, TPoint to, TShiftState shift = {}) {
        TInputSimulator::Drag(FormWindow(), from, to, shift);
    }
    // The top-left corner of a grab handle in its window's client coordinates.
    TPoint HandleAt(int index) const {
        TGrabHandle* handle = designer->Grab()->Handles(index);
        return {handle->Left(), handle->Top()};
    }
    std::vector<TControl*> Selection() const {
        std::vector<TControl*> objects;
        for (int i = 0; i < designer->SelectionCount(); ++i)
            objects.push_back(designer->Selected(i));
        return objects;
    }
    static TColor PixelOf(HWND window, int x, int y) {
        TBitmap bitmap;
        GrabWindow(window, bitmap);
        return bitmap.Canvas()->Pixels(x, y);
    }

    TDesignSample* form = nullptr;
};

inline constexpr TColor GridGrey = TColor(8421504);
