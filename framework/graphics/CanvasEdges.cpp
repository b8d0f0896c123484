// TCanvas: 3-D edges, frames, check boxes and button faces.
#include "graphics/Canvas.h"

#include "graphics/CanvasPrivate.h"
#include "graphics/QtConvert.h"

#include <algorithm>
#include <utility>

namespace {

// One ring of an edge: light colour on the top and left, dark on the bottom and right, the dark sides
// owning the corner pixels they share with the light ones. Shrinks `r` by the sides drawn.
void Ring(QPainter& p, TRect& r, TColor light, TColor dark, unsigned sides) {
    if (r.IsEmpty()) return;
    const QColor lightColor = ToQColor(light);
    const QColor darkColor = ToQColor(dark);
    if (sides & BF_TOP) {
        const int right = (sides & BF_RIGHT) ? r.Right - 1 : r.Right;
        if (right > r.Left) p.fillRect(QRect(r.Left, r.Top, right - r.Left, 1), lightColor);
    }
    if (sides & BF_LEFT) {
        const int bottom = (sides & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom;
        if (bottom > r.Top) p.fillRect(QRect(r.Left, r.Top, 1, bottom - r.Top), lightColor);
    }
    if (sides & BF_BOTTOM) p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), darkColor);
    if (sides & BF_RIGHT) p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), darkColor);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

// The 7 x 7 check mark: for each column, the first of its three rows.
constexpr int checkMarkTop[7] = {2, 3, 4, 3, 2, 1, 0};

} // namespace

void TCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags) {
    TColor outerLight = clNone, outerDark = clNone, innerLight = clNone, innerDark = clNone;
    if (edge & BDR_RAISEDOUTER) {
        outerLight = cl3DLight;
        outerDark = cl3DDkShadow;
    } else if (edge & BDR_SUNKENOUTER) {
        outerLight = clBtnShadow;
        outerDark = clBtnHighlight;
    }
    if (edge & BDR_RAISEDINNER) {
        innerLight = clBtnHighlight;
        innerDark = clBtnShadow;
    } else if (edge & BDR_SUNKENINNER) {
        innerLight = cl3DDkShadow;
        innerDark = cl3DLight;
    }
    if ((flags & BF_SOFT) && outerLight != clNone && innerLight != clNone) std::swap(outerLight, innerLight);

    TRect r = rect.Normalized();
    if (TCanvasPainter p{*this}) {
        if (outerLight != clNone) Ring(*p, r, outerLight, outerDark, flags & BF_RECT);
        if (innerLight != clNone) Ring(*p, r, innerLight, innerDark, flags & BF_RECT);
        if ((flags & BF_MIDDLE) && !r.IsEmpty()) p->fillRect(ToQRect(r), ToQColor(clBtnFace));
    }
    if (flags & BF_ADJUST) rect = r;
    Changed();
}

void TCanvas::Frame3D(TRect& rect, TColor topColor, TColor bottomColor, int width) {
    TRect r = rect.Normalized();
    if (TCanvasPainter p{*this}) {
        for (int i = 0; i < width && !r.IsEmpty(); ++i)
            Ring(*p, r, topColor, bottomColor, BF_RECT);
    } else {
        r.Inflate(-width, -width);
    }
    rect = r;
    Changed();
}

void TCanvas::DrawCheckBox(const TRect& rect, bool checked, bool pressed) {
    const TRect r = rect.Normalized();
    const int side = std::min(r.Width(), r.Height());
    if (side <= 0) return;
    TRect box = TRect::FromBounds(r.Left, r.Top + (r.Height() - side) / 2, side, side);
    DrawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (box.IsEmpty()) return;
    if (TCanvasPainter p{*this}) {
        p->fillRect(ToQRect(box), ToQColor(pressed ? clBtnFace : clWindow));
        if (checked) {
            const int scale = std::max(1, box.Width() / 9);
            const int left = box.Left + (box.Width() - 7 * scale) / 2;
            const int top = box.Top + (box.Height() - 7 * scale) / 2;
            const QColor ink = ToQColor(clWindowText);
            for (int column = 0; column < 7; ++column)
                p->fillRect(
                    QRect(left + column * scale, top + checkMarkTop[column] * scale, scale, 3 * scale), ink);
        }
    }
    Changed();
}

TRect TCanvas::DrawButtonFrame(const TRect& rect, bool pressed) {
    TRect r = rect.Normalized();
    if (!pressed) {
        DrawEdge(r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
        return r;
    }
    if (TCanvasPainter p{*this}) {
        Ring(*p, r, clWindowFrame, clWindowFrame, BF_RECT);
        Ring(*p, r, clBtnShadow, clBtnShadow, BF_RECT);
        if (!r.IsEmpty()) p->fillRect(ToQRect(r), ToQColor(clBtnFace));
    }
    Changed();
    return r.Offsetted(1, 1);
}
