// TMediaPlayer: the button bar, its glyphs and the device modes.
#include "components/MediaPlayer.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "widgets/StandardProperties.h"

#include <QFileInfo>

#include <array>

namespace {
constexpr TButtonSet AllButtons{btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject};
} // namespace

FW_PUBLISH(TMediaPlayer) {
    p.Property("AutoEnable", &TMediaPlayer::AutoEnable, &TMediaPlayer::SetAutoEnable).Default(true);
    p.Property("AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::SetAutoOpen).Default(false);
    p.Property("AutoRewind", &TMediaPlayer::AutoRewind, &TMediaPlayer::SetAutoRewind).Default(true);
    p.Property("ColoredButtons", &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
        .Default(AllButtons);
    p.Property("DeviceType", &TMediaPlayer::DeviceType, &TMediaPlayer::SetDeviceType).Default(dtAutoSelect);
    p.Property("Enabled", &TMediaPlayer::Enabled, &TMediaPlayer::SetEnabled).Default(true);
    p.Property("EnabledButtons", &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
        .Default(AllButtons);
    p.Property("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
    p.Property("Shareable", &TMediaPlayer::Shareable, &TMediaPlayer::SetShareable).Default(false);
    // It has a place in its parent's tab order like every windowed control: a form that did not store it
    // would number the controls after it differently when read back.
    PublishTabOrderAndStop(p, false);
    p.Property("Visible", &TMediaPlayer::Visible, &TMediaPlayer::SetVisible).Default(true);
    p.Property("VisibleButtons", &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
        .Default(AllButtons);
    p.Event("OnClick", &TMediaPlayer::OnClick);
    p.Event("OnNotify", &TMediaPlayer::OnNotify);
    p.Event("OnPostClick", &TMediaPlayer::OnPostClick);
}
FW_STREAMABLE(TMediaPlayer);

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TCustomControl(owner), FVisibleButtons(AllButtons), FEnabledButtons(AllButtons),
      FColoredButtons(AllButtons) {
    SetBounds(0, 0, 253, 30);
    SetColor(clBtnFace);
    SetParentColor(false);
}

void TMediaPlayer::SetAutoEnable(bool value) {
    FAutoEnable = value;
    Invalidate();
}

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons) {
    FVisibleButtons = buttons;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons) {
    FEnabledButtons = buttons;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons) {
    FColoredButtons = buttons;
    Invalidate();
}

void TMediaPlayer::Loaded() {
    TCustomControl::Loaded();
    if (FAutoOpen && !ComponentState().Contains(csDesigning)) Open();
}

// ---- modes ------------------------------------------------------------------------------------------------

void TMediaPlayer::SetMode(TMPModes mode) {
    FMode = mode;
    Invalidate();
    if (OnNotify) OnNotify(this);
}

void TMediaPlayer::CheckOpen() const {
    if (!FOpen) throw EMCIDeviceError("Not open");
}

void TMediaPlayer::Open() {
    if (!FFileName.empty() && !QFileInfo(QString::fromStdString(FFileName)).isFile())
        throw EMCIDeviceError("Cannot find the specified file. Make sure the path and filename are correct.");
    FOpen = true;
    SetMode(mpStopped);
}

void TMediaPlayer::Close() {
    FOpen = false;
    SetMode(mpNotReady);
}

void TMediaPlayer::Play() {
    CheckOpen();
    SetMode(mpPlaying);
}

void TMediaPlayer::Pause() {
    CheckOpen();
    SetMode(FMode == mpPaused ? mpPlaying : FMode == mpPlaying || FMode == mpRecording ? mpPaused : FMode);
}

void TMediaPlayer::Stop() {
    CheckOpen();
    SetMode(mpStopped);
}

void TMediaPlayer::Next() {
    CheckOpen();
    SetMode(mpStopped);
}

void TMediaPlayer::Previous() {
    CheckOpen();
    SetMode(mpStopped);
}

void TMediaPlayer::Step() {
    CheckOpen();
    SetMode(mpPaused);
}

void TMediaPlayer::Back() {
    CheckOpen();
    SetMode(mpPaused);
}

void TMediaPlayer::StartRecording() {
    CheckOpen();
    SetMode(mpRecording);
}

void TMediaPlayer::Eject() {
    CheckOpen();
    SetMode(mpOpen);
}

// ---- buttons ----------------------------------------------------------------------------------------------

TButtonSet TMediaPlayer::ActiveButtons() const {
    if (!Enabled()) return {};
    if (!FAutoEnable) return FEnabledButtons;
    if (!FOpen) return {};
    TButtonSet active{btNext, btPrev, btStep, btBack, btEject};
    if (FMode == mpPlaying || FMode == mpRecording) {
        active.Include(btPause);
        active.Include(btStop);
    } else {
        active.Include(btPlay);
        active.Include(btRecord);
        if (FMode == mpPaused) {
            active.Include(btPause);
            active.Include(btStop);
        }
    }
    return active;
}

TRect TMediaPlayer::ButtonRect(TMPBtnType button) const {
    if (!FVisibleButtons.Contains(button)) return {};
    int visible = 0, before = 0;
    for (int b = btPlay; b <= btEject; ++b) {
        if (!FVisibleButtons.Contains(static_cast<TMPBtnType>(b))) continue;
        if (b < button) ++before;
        ++visible;
    }
    const int width = ClientWidth() / std::max(visible, 1);
    return {before * width, 0, (before + 1) * width, ClientHeight()};
}

void TMediaPlayer::RunButton(TMPBtnType button) {
    bool doDefault = true;
    if (OnClick) OnClick(this, button, doDefault);
    if (doDefault) {
        switch (button) {
        case btPlay:
            Play();
            break;
        case btPause:
            Pause();
            break;
        case btStop:
            Stop();
            break;
        case btNext:
            Next();
            break;
        case btPrev:
            Previous();
            break;
        case btStep:
            Step();
            break;
        case btBack:
            Back();
            break;
        case btRecord:
            StartRecording();
            break;
        case btEject:
            Eject();
            break;
        }
    }
    if (OnPostClick) OnPostClick(this, button);
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || ComponentState().Contains(csDesigning)) return;
    for (int b = btPlay; b <= btEject; ++b) {
        const auto type = static_cast<TMPBtnType>(b);
        if (ButtonRect(type).Contains({x, y}) && ActiveButtons().Contains(type)) {
            RunButton(type);
            return;
        }
    }
}

void TMediaPlayer::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    const TButtonSet active = ActiveButtons();
    for (int b = btPlay; b <= btEject; ++b) {
        const auto type = static_cast<TMPBtnType>(b);
        TRect r = ButtonRect(type);
        if (r.IsEmpty()) continue;
        const TRect face = canvas.DrawButtonFrame(r, false);
        const bool enabled = active.Contains(type);
        static constexpr std::array<TColor, 9> colors{clGreen, clOlive, clMaroon, clNavy, clNavy,
                                                      clNavy,  clNavy,  clRed,    clNavy};
        const TColor ink = !enabled ? clGray : FColoredButtons.Contains(type) ? colors[b] : clBlack;
        canvas.Pen()->SetColor(ink);
        canvas.Brush()->SetColor(ink);
        const int cx = (face.Left + face.Right) / 2, cy = (face.Top + face.Bottom) / 2;
        auto triangleRight = [&](int left) {
            const TPoint pts[] = {{left, cy - 4}, {left + 4, cy}, {left, cy + 4}};
            canvas.Polygon(pts);
        };
        auto triangleLeft = [&](int right) {
            const TPoint pts[] = {{right, cy - 4}, {right - 4, cy}, {right, cy + 4}};
            canvas.Polygon(pts);
        };
        auto bar = [&](int left) { canvas.FillRect({left, cy - 4, left + 2, cy + 5}); };
        switch (type) {
        case btPlay:
            triangleRight(cx - 2);
            break;
        case btPause:
            bar(cx - 3);
            bar(cx + 1);
            break;
        case btStop:
            canvas.FillRect({cx - 4, cy - 4, cx + 4, cy + 4});
            break;
        case btNext:
            triangleRight(cx - 4);
            bar(cx + 2);
            break;
        case btPrev:
            bar(cx - 4);
            triangleLeft(cx + 3);
            break;
        case btStep:
            triangleRight(cx - 5);
            triangleRight(cx);
            break;
        case btBack:
            triangleLeft(cx);
            triangleLeft(cx + 5);
            break;
        case btRecord:
            canvas.Ellipse(cx - 4, cy - 4, cx + 5, cy + 5);
            break;
        case btEject: {
            const TPoint pts[] = {{cx - 5, cy + 1}, {cx, cy - 4}, {cx + 5, cy + 1}};
            canvas.Polygon(pts);
            canvas.FillRect({cx - 5, cy + 3, cx + 6, cy + 5});
            break;
        }
        }
    }
}
