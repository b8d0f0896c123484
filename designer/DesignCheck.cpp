#include "DesignCheck.h"

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "rtti/Properties.h"
#include "ui/Form.h"
#include "widgets/BitBtn.h"
#include "widgets/CheckBox.h"
#include "widgets/GroupBox.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/RadioButton.h"
#include "widgets/SpeedButton.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace {

// What a caption's control takes from its width before the text: a push button's bevel and padding, a
// check box's or radio button's indicator and the space after it, a group box's inset of the title at
// either end.
constexpr int ButtonPadding = 8;
constexpr int IndicatorRoom = 20;
constexpr int GroupBoxTitleInset = 8;
constexpr int GlyphSpacing = 4;

std::string NameOf(const TComponent* component) {
    return component->Name().empty() ? std::string(component->ClassName()) : component->Name();
}

std::string Possessive(const TComponent* component) {
    return NameOf(component) + "'s";
}

// The width a glyph of a bit button or speed button takes beside the caption.
template <class T> int GlyphRoom(const T* button) {
    const TBitmap* glyph = button->Glyph();
    if (!glyph || glyph->Empty()) return 0;
    const int count = std::max(1, static_cast<int>(button->NumGlyphs()));
    return glyph->Width() / count + std::max(GlyphSpacing, button->Spacing());
}

// The room across for the caption of a control that shows one in a fixed room; none for other controls.
std::optional<int> CaptionRoom(const TControl* control) {
    const int width = control->Width();
    if (auto* bit = dynamic_cast<const TBitBtn*>(control)) return width - ButtonPadding - GlyphRoom(bit);
    if (dynamic_cast<const TButton*>(control)) return width - ButtonPadding;
    if (auto* speed = dynamic_cast<const TSpeedButton*>(control))
        return width - ButtonPadding - GlyphRoom(speed);
    if (dynamic_cast<const TCheckBox*>(control) || dynamic_cast<const TRadioButton*>(control))
        return width - IndicatorRoom;
    if (dynamic_cast<const TGroupBox*>(control)) return width - 2 * GroupBoxTitleInset;
    if (auto* panel = dynamic_cast<const TPanel*>(control)) {
        int inset = panel->BorderWidth();
        if (panel->BevelOuter() != bvNone) inset += panel->BevelWidth();
        if (panel->BevelInner() != bvNone) inset += panel->BevelWidth();
        return width - 2 * inset;
    }
    return std::nullopt;
}

class TDesignChecker {
public:
    explicit TDesignChecker(TWinControl* root) : FRoot(root), FForm(GetParentForm(root)) {}

    std::vector<TDesignFinding> Run() {
        // A designed container's own caption counts too; a form's is its window title.
        FOrder.emplace(FRoot, 0);
        if (!dynamic_cast<TCustomForm*>(FRoot)) {
            CheckCaption(FRoot);
            if (GetPropInfo(FRoot, "Caption")) FCaptioned.push_back(FRoot);
        }
        Walk(FRoot);
        // One control's findings in the order of their kinds, controls in walk order.
        std::stable_sort(FFindings.begin(), FFindings.end(), [this](const auto& a, const auto& b) {
            const int ia = FOrder.at(a.Component), ib = FOrder.at(b.Component);
            return ia != ib ? ia < ib : a.Kind < b.Kind;
        });
        CheckAccelerators();
        return std::move(FFindings);
    }

private:
    bool IsDesigned(const TControl* control) const {
        return control->Owner() == FRoot || (FForm && control->Owner() == FForm);
    }

    void Add(TComponent* component, TDesignFindingKind kind, std::string text) {
        FFindings.push_back({component, kind, std::move(text)});
    }

    void Walk(TWinControl* parent) {
        std::vector<TControl*> children;
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (TControl* child = parent->Controls(i); IsDesigned(child)) children.push_back(child);
        for (TControl* child : children) {
            FOrder.emplace(child, static_cast<int>(FOrder.size()));
            CheckCaption(child);
            CheckPlace(parent, child);
            CheckFocusControl(child);
            if (GetPropInfo(child, "Caption")) FCaptioned.push_back(child);
            if (auto* container = dynamic_cast<TWinControl*>(child)) Walk(container);
        }
        CheckOverlaps(children);
    }

    void CheckCaption(TControl* control) {
        const std::string& caption = control->Caption();
        // A control without room at all is reported as being of zero size.
        if (caption.empty() || control->Width() <= 0 || control->Height() <= 0) return;
        TCanvas& canvas = FCanvas;
        canvas.SetFont(control->Font());
        auto cutOff = [&](int needed, int room, const char* across) {
            Add(control, dfCutOffText,
                Possessive(control) + " caption is cut off: it needs " + std::to_string(needed) + " pixels " +
                    across + " and has " + std::to_string(std::max(room, 0)) + ".");
        };
        if (auto* label = dynamic_cast<TLabel*>(control)) {
            if (label->AutoSize()) return;
            const bool lines = label->WordWrap() || caption.find_first_of("\r\n") != std::string::npos;
            unsigned flags = DT_CALCRECT | DT_EXPANDTABS;
            if (label->WordWrap()) flags |= DT_WORDBREAK;
            if (!lines) flags |= DT_SINGLELINE;
            if (!label->ShowAccelChar()) flags |= DT_NOPREFIX;
            TRect text(0, 0, label->WordWrap() ? label->Width() : 0, 0);
            canvas.DrawText(text, caption, flags);
            if (text.Width() > label->Width())
                cutOff(text.Width(), label->Width(), "across");
            else if (lines && text.Height() > label->Height())
                cutOff(text.Height(), label->Height(), "down");
            return;
        }
        const std::optional<int> room = CaptionRoom(control);
        if (!room) return;
        TRect text;
        canvas.DrawText(text, caption, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        if (text.Width() > *room) cutOff(text.Width(), *room, "across");
    }

    void CheckPlace(TWinControl* parent, TControl* control) {
        const TRect bounds = control->BoundsRect();
        const TRect client = parent->ClientRect();
        const bool wholly = bounds.Right <= client.Left || bounds.Bottom <= client.Top ||
                            bounds.Left >= client.Right || bounds.Top >= client.Bottom;
        if (wholly)
            Add(control, dfOutsideParent, NameOf(control) + " lies wholly outside " + NameOf(parent) + ".");
        else if (!client.Contains(bounds))
            Add(control, dfOutsideParent, NameOf(control) + " lies partly outside " + NameOf(parent) + ".");
        const bool noWidth = control->Width() <= 0, noHeight = control->Height() <= 0;
        if (noWidth || noHeight)
            Add(control, dfZeroSize,
                NameOf(control) + " has zero " +
                    (noWidth && noHeight ? "width and height"
                     : noWidth           ? "width"
                                         : "height") +
                    ".");
    }

    void CheckFocusControl(TControl* control) {
        auto* label = dynamic_cast<TLabel*>(control);
        TWinControl* target = label ? label->FocusControl() : nullptr;
        if (!target) return;
        const bool takesFocus = !dynamic_cast<TCustomForm*>(target) && target->CanFocus() &&
                                (target->TabStop() || !target->ControlStyle().Contains(csAcceptsControls));
        if (!takesFocus)
            Add(label, dfFocusControl,
                Possessive(label) + " FocusControl " + NameOf(target) + " cannot take the focus.");
    }

    // Sorted by their left edges, each control is compared only with those starting before its right edge.
    void CheckOverlaps(const std::vector<TControl*>& children) {
        std::vector<size_t> shown;
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i]->Visible() && !children[i]->BoundsRect().IsEmpty()) shown.push_back(i);
        std::stable_sort(shown.begin(), shown.end(),
                         [&](size_t a, size_t b) { return children[a]->Left() < children[b]->Left(); });
        for (size_t s = 0; s < shown.size(); ++s) {
            const TRect first = children[shown[s]]->BoundsRect();
            for (size_t t = s + 1; t < shown.size() && children[shown[t]]->Left() < first.Right; ++t) {
                if (!first.Intersects(children[shown[t]]->BoundsRect())) continue;
                TControl* earlier = children[std::min(shown[s], shown[t])];
                TControl* later = children[std::max(shown[s], shown[t])];
                Add(later, dfOverlap, NameOf(later) + " overlaps " + NameOf(earlier) + ".");
            }
        }
    }

    // The character after the caption's first single "&" (a whole UTF-8 sequence), in lower case, or "".
    static std::string AcceleratorOf(const std::string& caption) {
        for (size_t i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != '&') continue;
            if (caption[i + 1] == '&') {
                ++i;
                continue;
            }
            size_t length = 1;
            const auto lead = static_cast<unsigned char>(caption[i + 1]);
            if (lead >= 0xF0)
                length = 4;
            else if (lead >= 0xE0)
                length = 3;
            else if (lead >= 0xC0)
                length = 2;
            std::string key = caption.substr(i + 1, length);
            if (key.size() == 1) key[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])));
            return key;
        }
        return {};
    }

    void CheckAccelerators() {
        std::map<std::string, std::vector<TControl*>> users;
        std::vector<std::string> keys; // in the order of their first use
        for (TControl* control : FCaptioned) {
            if (auto* label = dynamic_cast<TLabel*>(control); label && !label->ShowAccelChar()) continue;
            const std::string key = AcceleratorOf(control->Caption());
            if (key.empty()) continue;
            auto& list = users[key];
            if (list.empty()) keys.push_back(key);
            list.push_back(control);
        }
        for (const std::string& key : keys) {
            const std::vector<TControl*>& list = users[key];
            if (list.size() < 2) continue;
            std::string names;
            for (size_t i = 0; i < list.size(); ++i)
                names += (i == 0 ? "" : i + 1 == list.size() ? " and " : ", ") + NameOf(list[i]);
            std::string shown = key;
            if (shown.size() == 1)
                shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
            Add(list.back(), dfDuplicateAccelerator,
                names + (list.size() == 2 ? " both" : " all") + " use the accelerator Alt+" + shown + ".");
        }
    }

    TWinControl* FRoot;
    TCustomForm* FForm;
    std::vector<TDesignFinding> FFindings;
    std::map<const TComponent*, int> FOrder;
    std::vector<TControl*> FCaptioned; // in walk order
    TCanvas FCanvas;                   // measures every caption, in its control's font
};

} // namespace

std::vector<TDesignFinding> CheckDesign(TWinControl* root) {
    if (!root) return {};
    return TDesignChecker(root).Run();
}
