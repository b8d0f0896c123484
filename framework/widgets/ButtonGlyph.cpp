#include "widgets/ButtonGlyph.h"

#include "graphics/BitmapPrivate.h"
#include "graphics/Canvas.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/QtConvert.h"

#include <QImage>

#include <algorithm>

TSize GlyphImageSize(const TBitmap* glyph, int numGlyphs) {
    if (!glyph || glyph->Empty()) return {};
    return {glyph->Width() / std::clamp(numGlyphs, 1, 4), glyph->Height()};
}

TButtonContentPlace PlaceButtonContent(const TRect& client, TSize glyphSize, TSize captionSize,
                                       TButtonLayout layout, int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int clientAlong = horizontal ? client.Width() : client.Height();
    const int glyphAlong = horizontal ? glyphSize.cx : glyphSize.cy;
    const int captionAlong = horizontal ? captionSize.cx : captionSize.cy;
    if (glyphAlong == 0 || captionAlong == 0) spacing = 0;

    if (margin == -1 && spacing == -1) {
        // Margin, spacing and the far margin all equal.
        margin = (clientAlong - glyphAlong - captionAlong) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (clientAlong - glyphAlong - spacing - captionAlong + 1) / 2;
    } else if (spacing == -1) {
        // The caption centred in what is left after margin and glyph.
        spacing = (clientAlong - margin - glyphAlong - captionAlong) / 2;
    }

    // Across the layout direction both are centred.
    TPoint glyph, caption;
    if (horizontal) {
        glyph.Y = (client.Height() - glyphSize.cy + 1) / 2;
        caption.Y = (client.Height() - captionSize.cy + 1) / 2;
    } else {
        glyph.X = (client.Width() - glyphSize.cx + 1) / 2;
        caption.X = (client.Width() - captionSize.cx + 1) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyph.X = margin;
        caption.X = glyph.X + glyphSize.cx + spacing;
        break;
    case blGlyphRight:
        glyph.X = client.Width() - margin - glyphSize.cx;
        caption.X = glyph.X - spacing - captionSize.cx;
        break;
    case blGlyphTop:
        glyph.Y = margin;
        caption.Y = glyph.Y + glyphSize.cy + spacing;
        break;
    case blGlyphBottom:
        glyph.Y = client.Height() - margin - glyphSize.cy;
        caption.Y = glyph.Y - spacing - captionSize.cy;
        break;
    }
    return {
        {client.Left + glyph.X, client.Top + glyph.Y},
        TRect::FromBounds(client.Left + caption.X, client.Top + caption.Y, captionSize.cx, captionSize.cy)};
}

namespace {

// The embossed grey version of a glyph image: every pixel that is neither transparent nor nearly white
// becomes shadow, with a highlight copy one pixel down and right underneath.
QImage DisabledImage(const QImage& image, QRgb transparent) {
    QImage result(image.width() + 1, image.height() + 1, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const QRgb highlight = ToQRgb(clBtnHighlight);
    const QRgb shadow = ToQRgb(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if ((pixel & RGB_MASK) == (transparent & RGB_MASK) || qGray(pixel) >= 192) continue;
                if (pass == 0)
                    result.setPixel(x + 1, y + 1, highlight);
                else
                    result.setPixel(x, y, shadow);
            }
    return result;
}

void DrawGlyph(TCanvas& canvas, TPoint at, TBitmap* glyph, int numGlyphs, TGlyphState state) {
    const TSize size = GlyphImageSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0) return;
    const int count = std::clamp(numGlyphs, 1, 4);
    int index = static_cast<int>(state);
    const bool makeDisabled = state == TGlyphState::Disabled && index >= count;
    if (index >= count) index = 0;
    const TRect source = TRect::FromBounds(index * size.cx, 0, size.cx, size.cy);
    const TColor transparent = glyph->TransparentColor();
    if (makeDisabled) {
        const QImage part = BitmapImage(*glyph).copy(ToQRect(source));
        const QImage disabled = DisabledImage(part, ToQRgb(transparent));
        if (TCanvasPainter p{canvas}) p->drawImage(QPoint(at.X, at.Y), disabled);
        return;
    }
    const TBrushStyle brushStyle = canvas.Brush()->Style();
    canvas.Brush()->SetStyle(bsClear);
    canvas.BrushCopy(TRect::FromBounds(at.X, at.Y, size.cx, size.cy), *glyph, source, transparent);
    canvas.Brush()->SetStyle(brushStyle);
}

} // namespace

void DrawButtonContent(TCanvas& canvas, const TRect& client, TBitmap* glyph, int numGlyphs, TGlyphState state,
                       const std::string& caption, TButtonLayout layout, int margin, int spacing,
                       TPoint offset) {
    TSize captionSize;
    if (!caption.empty()) {
        TRect measure(0, 0, client.Width(), 0);
        canvas.DrawText(measure, caption, DT_CALCRECT | DT_SINGLELINE);
        captionSize = {std::min(measure.Width(), client.Width()), measure.Height()};
    }
    const TButtonContentPlace place =
        PlaceButtonContent(client, GlyphImageSize(glyph, numGlyphs), captionSize, layout, margin, spacing);
    DrawGlyph(canvas, place.Glyph + offset, glyph, numGlyphs, state);
    if (caption.empty()) return;

    TRect r = place.Caption.Offsetted(offset.X, offset.Y);
    const TBrushStyle brushStyle = canvas.Brush()->Style();
    const TColor fontColor = canvas.Font()->Color();
    canvas.Brush()->SetStyle(bsClear);
    if (state == TGlyphState::Disabled) {
        TRect shifted = r.Offsetted(1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        canvas.DrawText(shifted, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.Font()->SetColor(clBtnShadow);
    }
    canvas.DrawText(r, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Font()->SetColor(fontColor);
    canvas.Brush()->SetStyle(brushStyle);
}
