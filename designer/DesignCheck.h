// CheckDesign: what is wrong with a design before the people using the form see it. It walks the designed
// root and every control in it and returns one finding per problem, each a short sentence naming the
// component:
//
// - dfCutOffText: a caption wider than the room its control gives it, measured with the control's own
//   font (buttons and speed buttons, labels without AutoSize, check boxes, radio buttons, group boxes and
//   panels); a label of several lines, by word wrap or line breaks, also when it is higher than the label.
// - dfOverlap: two visible sibling controls covering a common pixel (one finding per pair, naming both;
//   a container and its own children are never siblings).
// - dfOutsideParent: a control partly or wholly outside its parent's client area.
// - dfZeroSize: a control with zero width or height.
// - dfDuplicateAccelerator: one accelerator letter ("&x", case ignored) in the captions of two or more
//   controls of the design (one finding per letter, naming them all).
// - dfFocusControl: a label whose FocusControl is not a control that can take the focus: hidden, disabled,
//   inside a hidden or disabled container, a form, or a container that is no tab stop.
//
// Only the design's own controls count (owned by the root or by its form), not the parts a control makes
// for itself, such as a grid's in-place editor. Findings come in the order of the controls (the root's
// children depth first, in child order), each control's findings in the order above; accelerator findings
// come last.
#pragma once

#include "core/Object.h"

#include <cstdint>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TComponent;
class TWinControl;

enum TDesignFindingKind : uint8_t {
    dfCutOffText,
    dfOverlap,
    dfOutsideParent,
    dfZeroSize,
    dfDuplicateAccelerator,
    dfFocusControl,
};

struct TDesignFinding {
    // The component the finding is about (for a pair or a group: the later one in child order).
    TComponent* Component = nullptr;
    TDesignFindingKind Kind = dfCutOffText;
    std::string Text;
};

std::vector<TDesignFinding> CheckDesign(TWinControl* root);

#pragma GCC visibility pop
