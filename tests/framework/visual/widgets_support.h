// Helpers of the standard-control tests: a form to put controls on, pixel grabs and event recorders.
#pragma once

#include "core/ClassRegistry.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/StandardControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace widgets_test {

// Records the events it is bound to, by sender name, in order.
struct TEventLog {
    std::vector<std::string> entries;
    void Click(TObject* sender) { entries.push_back("click " + NameOf(sender)); }
    void Change(TObject* sender) { entries.push_back("change " + NameOf(sender)); }
    void Enter(TObject* sender) { entries.push_back("enter " + NameOf(sender)); }
    int Count(const std::string& entry) const {
        return static_cast<int>(std::count(entries.begin(), entries.end(), entry));
    }
    static std::string NameOf(TObject* sender) {
        auto* c = dynamic_cast<TComponent*>(sender);
        return c ? c->Name() : "?";
    }
};

inline TNotifyEvent ClickTo(TEventLog& log) {
    return TNotifyEvent::Bind<&TEventLog::Click>(&log);
}
inline TNotifyEvent ChangeTo(TEventLog& log) {
    return TNotifyEvent::Bind<&TEventLog::Change>(&log);
}

inline TColor Rgb(TColor color) {
    return TColor(ColorToRGB(color));
}

// A form with a known colour and font, freed at the end of each test.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamableClasses();
        form = new TForm(nullptr);
        form->SetName("Form1");
        form->SetBounds(40, 40, 320, 240);
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    void Show() {
        form->Show();
        Application->ProcessMessages();
    }
    // A control named `name` whose caption (or text) starts empty.
    template <class T> T* Add(const std::string& name, TWinControl* parent, TRect bounds) {
        auto* control = new T(form);
        control->SetName(name);
        control->SetText("");
        control->SetParent(parent);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return control;
    }
    template <class T> T* Add(const std::string& name, TRect bounds) { return Add<T>(name, form, bounds); }
    // What the window shows, in RGB.
    static TColor PixelOf(TWinControl* window, int x, int y) {
        TBitmap bitmap;
        GrabWindow(window->Handle(), bitmap);
        return bitmap.Canvas()->Pixels(x, y);
    }
    // The pixels of a rectangle of the window: 'x' where the colour is `ink`, '.' elsewhere.
    static std::string Ink(TWinControl* window, const TRect& area, TColor ink) {
        TBitmap bitmap;
        GrabWindow(window->Handle(), bitmap);
        std::string out;
        for (int y = area.Top; y < area.Bottom; ++y) {
            if (y > area.Top) out += '|';
            for (int x = area.Left; x < area.Right; ++x)
                out += bitmap.Canvas()->Pixels(x, y) == Rgb(ink) ? 'x' : '.';
        }
        return out;
    }
    static void Focus(TWinControl* control) {
        control->SetFocus();
        Application->ProcessMessages();
    }

    TForm* form = nullptr;
};

} // namespace widgets_test
