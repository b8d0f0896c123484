// TCanvas: a drawing surface with a pen, a brush and a font.
//
// A canvas draws on a bitmap's pixels, on a window while it paints, or on any other surface the windowing
// layer attaches to it. Coordinates are logical: the device point is the logical point plus Origin().
// Rectangles are right- and bottom-exclusive, like TRect.
//
// Figures (Rectangle, Ellipse, RoundRect, Polygon) are outlined with the pen and filled with the brush,
// both combined with the pixels already there according to Pen.Mode; so are lines. Fills, frames, text
// and copies ignore the pen mode. A 1-pixel pen draws exact pixels: a line from A to B covers A and not
// B, a rectangle (L, T, R, B) has its outline on the pixels L..R-1 and T..B-1 and its fill inside that,
// and drawing a figure twice with pmXor or pmNot restores every pixel. Wider pens draw Rectangle's outline
// inside the rectangle.
#pragma once

#include "core/Persistent.h"
#include "graphics/Brush.h"
#include "graphics/Colors.h"
#include "graphics/Font.h"
#include "graphics/Pen.h"
#include "graphics/Types.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

class TGraphic;
class TBitmap;
struct TCanvasPrivate;

// How CopyRect and bitmap drawing combine source pixels (S) with the destination (D); brush is P.
using TCopyMode = int32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;   // ~D
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;  // ~S | D
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;  // ~S
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6; // ~(S | D)
inline constexpr TCopyMode cmPatCopy = 0x00F00021;     // P
inline constexpr TCopyMode cmPatInvert = 0x005A0049;   // P ^ D
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;      // S & D
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;     // S
inline constexpr TCopyMode cmSrcErase = 0x00440328;    // S & ~D
inline constexpr TCopyMode cmSrcInvert = 0x00660046;   // S ^ D
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;    // S | D
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Edges for DrawEdge: an outer and an inner ring, each raised or sunken.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = 0x0003;
inline constexpr unsigned BDR_INNER = 0x000C;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
// Which sides DrawEdge draws, and how.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x0800; // fill the inside with clBtnFace
inline constexpr unsigned BF_SOFT = 0x1000;   // swap the light colours of the two rings (button look)
inline constexpr unsigned BF_ADJUST = 0x2000; // shrink the rectangle to the inside of the edge

// DrawText layout flags.
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004; // with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x0008;  // with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_CALCRECT = 0x0400; // only measure: widen/heighten the rectangle, draw nothing
inline constexpr unsigned DT_NOPREFIX = 0x0800; // "&" is literal; otherwise "&x" underlines x, "&&" is "&"
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

class TCanvas : public TPersistent {
    FW_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    TPen* Pen() const { return FPen.get(); }
    void SetPen(const TPen* pen) { FPen->Assign(pen); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(const TBrush* brush) { FBrush->Assign(brush); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* font) { FFont->Assign(font); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }

    // True while the canvas has a surface to draw on.
    bool HandleAllocated() const;

    // ---- pixels and lines
    // The colour at a point, or -1 outside the surface, outside the clip, or on a surface whose pixels
    // cannot be read back (a window).
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);
    // Sets the pixels (x, y) for x = first.X, first.X + stepX, ... up to last.X and likewise for y, in one
    // pass, except those inside one of the spared rectangles. Steps are at least 1.
    void DotGrid(TPoint first, TPoint last, int stepX, int stepY, TColor color,
                 std::span<const TRect> spared);
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint pos) { FPenPos = pos; }
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    // Draws from PenPos to (x, y), the end point excluded, and moves PenPos there.
    void LineTo(int x, int y);
    // Lines through the points in turn; the last point is not drawn.
    void Polyline(std::span<const TPoint> points);

    // ---- figures
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // Corners rounded by ellipses of cornerWidth x cornerHeight.
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    // Closed figure through the points, filled with the even-odd rule.
    void Polygon(std::span<const TPoint> points);

    // ---- fills and frames
    // Fills with the brush (nothing for bsClear).
    void FillRect(const TRect& rect);
    // A 1-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    // A dotted frame that inverts the pixels under it; drawing it again removes it.
    void DrawFocusRect(const TRect& rect);
    // Raised or sunken 3-D edges in the system colours clBtnHighlight, cl3DLight, clBtnShadow and
    // cl3DDkShadow; `edge` takes BDR_ and EDGE_ values, `flags` BF_ values. Light colours go top and left,
    // dark ones bottom and right (which also own the top-right and bottom-left corner pixels). With
    // BF_ADJUST `rect` becomes the inside of the edge.
    void DrawEdge(TRect& rect, unsigned edge, unsigned flags);
    // `width` rings of topColor (top, left) and bottomColor (bottom, right); `rect` becomes the inside.
    void Frame3D(TRect& rect, TColor topColor, TColor bottomColor, int width);
    // A check box square (the largest square at the left of `rect`, centred vertically): sunken edge,
    // window-coloured inside (button face while pressed), a check mark when checked.
    void DrawCheckBox(const TRect& rect, bool checked, bool pressed);
    // A push button's face and frame: raised, or pushed in while pressed. Returns the area for the
    // caption, moved by one pixel while pressed.
    TRect DrawButtonFrame(const TRect& rect, bool pressed);

    // ---- text (in the font's colour; the background is the brush unless it is bsClear)
    // Text with its top-left corner at (x, y); PenPos moves to the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y), clipped to `rect`; a solid brush fills the whole rectangle first.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    // Lays out text in the rectangle by DT_ flags and returns the height of the text drawn. With
    // DT_CALCRECT nothing is drawn and `rect`'s right and bottom are set to fit the text.
    int DrawText(TRect& rect, std::string_view text, unsigned flags);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    TSize TextExtent(std::string_view text) const;

    // ---- pictures and copies
    // The graphic at its own size with its top-left corner at (x, y).
    void Draw(int x, int y, TGraphic* graphic);
    // The graphic scaled to fill `rect`.
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies (scaling as needed) `source`'s area `sourceRect` into `dest`, combined by CopyMode.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    // Copies the bitmap's area `sourceRect` into `dest` (scaled), except the pixels of `color`: those
    // show the brush, or stay as they were when the brush is bsClear.
    void BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& sourceRect, TColor color);

    // ---- clipping and origin
    // The area drawing can reach, in logical coordinates: the clip box, or the whole surface.
    TRect ClipRect() const;
    // Restricts drawing to `rect` (logical coordinates at the time of the call); ResetClip lifts it.
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ExcludeClipRect(const TRect& rect);
    void ResetClip();
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin) { FOrigin = origin; }

    // Called after each drawing operation.
    TNotifyEvent OnChange;

protected:
    // Called when an operation finds no surface; a subclass may attach one here.
    virtual void CreateHandle() {}
    virtual void Changed();

private:
    friend struct TCanvasAccess;
    void EllipticFigure(bool rounded, int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight);

    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    TCopyMode FCopyMode = cmSrcCopy;
    TPoint FPenPos;
    TPoint FOrigin;
    std::unique_ptr<TCanvasPrivate> FPrivate;
};

#pragma GCC visibility pop
