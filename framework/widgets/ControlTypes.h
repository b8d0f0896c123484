// Value types shared by the standard controls: horizontal alignment, its left/right subrange used by
// check boxes and radio buttons, vertical text layout, and the two-valued border style of edits.
#pragma once

#include "rtti/TypeInfo.h"
#include "ui/Form.h"

#pragma GCC visibility push(default)

FW_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
FW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);

// The published type of a check box's or radio button's Alignment: taLeftJustify (caption left of the
// box) or taRightJustify (caption right of the box) only.
inline const TTypeInfo* LeftRightTypeInfo() {
    static const TTypeInfo info = [] {
        TTypeInfo t = MakeAliasType("TLeftRight", TypeInfoOf<TAlignment>());
        t.Data.MaxValue = taRightJustify;
        return t;
    }();
    return &info;
}

// The published type of an edit's BorderStyle: bsNone or bsSingle of TFormBorderStyle.
inline const TTypeInfo* BorderStyleTypeInfo() {
    static const TTypeInfo info = [] {
        TTypeInfo t = MakeAliasType("TBorderStyle", TypeInfoOf<TFormBorderStyle>());
        t.Data.MaxValue = bsSingle;
        return t;
    }();
    return &info;
}

#pragma GCC visibility pop
