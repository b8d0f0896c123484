// TPen: how a canvas draws lines and the outlines of figures.
//
// Mode combines the pen colour with the pixels already there. pmCopy paints the colour; pmNot inverts
// the pixels and pmXor combines them by exclusive-or, so drawing the same figure twice with either mode
// restores the pixels exactly (the designer's drag frames rely on that).
#pragma once

#include "graphics/Colors.h"
#include "graphics/GraphicsObject.h"

#pragma GCC visibility push(default)

FW_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
FW_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
        pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);

class TPen : public TGraphicsObject {
    FW_CLASS(TPen, TGraphicsObject)
public:
    TPen();

    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    // At least 1.
    int Width() const { return FWidth; }
    void SetWidth(int width);

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

#pragma GCC visibility pop
