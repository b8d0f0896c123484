#include "large_design.h"

#include <cstdlib>

namespace {

void Line(std::string& text, int indent, const std::string& line) {
    text.append(static_cast<size_t>(2 * indent), ' ');
    text += line;
    text += "\r\n";
}

void Bounds(std::string& text, int indent, int left, int top, int width, int height) {
    Line(text, indent, "Left = " + std::to_string(left));
    Line(text, indent, "Top = " + std::to_string(top));
    Line(text, indent, "Width = " + std::to_string(width));
    Line(text, indent, "Height = " + std::to_string(height));
}

} // namespace

std::string LargeDesignText(int count, const std::string& variant) {
    constexpr int PerPanel = 20;
    std::string text;
    Line(text, 0, "object Form1: TForm");
    Line(text, 1, "Caption = 'Large design " + variant + "'");
    int made = 0;
    for (int panel = 1; made < count; ++panel) {
        const std::string p = std::to_string(panel);
        Line(text, 1, "object Panel" + p + ": TPanel");
        Bounds(text, 2, 8 + (panel % 40) * 210, 8 + (panel / 40) * 170, 200, 160);
        Line(text, 2, "Caption = 'Panel " + p + " " + variant + "'");
        ++made;
        for (int i = 0; i < PerPanel - 1 && made < count; ++i, ++made) {
            const std::string n = p + "_" + std::to_string(i);
            const int left = 4 + (i % 4) * 48, top = 4 + (i / 4) * 30;
            switch (made % 4) {
            case 0:
                Line(text, 2, "object Button" + n + ": TButton");
                Bounds(text, 3, left, top, 44, 25);
                Line(text, 3, "Caption = 'B" + n + " " + variant + "'");
                break;
            case 1:
                Line(text, 2, "object Label" + n + ": TLabel");
                Bounds(text, 3, left, top, 44, 13);
                Line(text, 3, "Caption = 'L" + n + " " + variant + "'");
                // The edit that follows, when there is one.
                if (i + 1 < PerPanel - 1 && made + 1 < count)
                    Line(text, 3, "FocusControl = Edit" + p + "_" + std::to_string(i + 1));
                break;
            case 2:
                Line(text, 2, "object Edit" + n + ": TEdit");
                Bounds(text, 3, left, top, 44, 21);
                Line(text, 3, "Text = 'E" + n + " " + variant + "'");
                break;
            default:
                Line(text, 2, "object CheckBox" + n + ": TCheckBox");
                Bounds(text, 3, left, top, 44, 17);
                Line(text, 3, "Caption = 'C" + n + " " + variant + "'");
                break;
            }
            Line(text, 2, "end");
        }
        Line(text, 1, "end");
    }
    // Non-visual components after the controls, as the designer saves them.
    for (int i = 1; i <= count / 50; ++i) {
        const bool table = i % 2 == 1;
        Line(text, 1,
             std::string("object ") + (table ? "Table" : "Query") + std::to_string(i) +
                 (table ? ": TTable" : ": TQuery"));
        Line(text, 2, "Left = " + std::to_string(8 + (i % 100) * 32));
        Line(text, 2, "Top = " + std::to_string(8 + (i / 100) * 32));
        Line(text, 1, "end");
    }
    Line(text, 0, "end");
    return text;
}

int LargeDesignSize(int fallback) {
    const char* value = std::getenv("FW_LARGE_DESIGN_COMPONENTS");
    const int size = value ? std::atoi(value) : 0;
    return size > 0 ? size : fallback;
}
