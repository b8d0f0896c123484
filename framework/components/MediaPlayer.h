// TMediaPlayer: a media device's button bar (play, pause, stop, next, previous, step, back, record,
// eject). This sample component plays nothing: opening checks that FileName exists, and the buttons move
// the player between the modes a device would be in.
#pragma once

#include "core/Exceptions.h"
#include "ui/CustomControl.h"

#pragma GCC visibility push(default)

FW_ENUM(TMPBtnType, btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject);
FW_SET(TButtonSet, TMPBtnType);
FW_ENUM(TMPDeviceTypes, dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
        dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio);
FW_ENUM(TMPModes, mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen);
// Before a button's action: clearing DoDefault skips it.
FW_EVENT_TYPE(EMPNotify, void(TObject* Sender, TMPBtnType Button, bool& DoDefault));
// After a button's action.
FW_EVENT_TYPE(EMPPostNotify, void(TObject* Sender, TMPBtnType Button));

FW_DECLARE_EXCEPTION(EMCIDeviceError, Exception);

class TMediaPlayer : public TCustomControl {
    FW_CLASS(TMediaPlayer, TCustomControl)
public:
    explicit TMediaPlayer(TComponent* owner);

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& name) { FFileName = name; }
    // Opens the device when the player has been read from a form (not while designing).
    bool AutoOpen() const { return FAutoOpen; }
    void SetAutoOpen(bool value) { FAutoOpen = value; }
    bool AutoRewind() const { return FAutoRewind; }
    void SetAutoRewind(bool value) { FAutoRewind = value; }
    // Enables the buttons that fit the mode (none while closed) instead of EnabledButtons.
    bool AutoEnable() const { return FAutoEnable; }
    void SetAutoEnable(bool value);
    TMPDeviceTypes DeviceType() const { return FDeviceType; }
    void SetDeviceType(TMPDeviceTypes type) { FDeviceType = type; }
    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return FEnabledButtons; }
    void SetEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return FColoredButtons; }
    void SetColoredButtons(TButtonSet buttons);
    bool Shareable() const { return FShareable; }
    void SetShareable(bool value) { FShareable = value; }

    TMPModes Mode() const { return FMode; }
    // Fails with EMCIDeviceError "Cannot find the specified file. Make sure the path and filename are
    // correct." when FileName names no file.
    void Open();
    void Close();
    void Play();
    void Pause();
    void Stop();
    void Next();
    void Previous();
    void Step();
    void Back();
    void StartRecording();
    void Eject();

    // The buttons that respond now, and a visible button's place (client coordinates; empty when hidden).
    TButtonSet ActiveButtons() const;
    TRect ButtonRect(TMPBtnType button) const;

    EMPNotify OnClick;
    EMPPostNotify OnPostClick;
    TNotifyEvent OnNotify;

    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void SetMode(TMPModes mode);
    void CheckOpen() const;
    void RunButton(TMPBtnType button);

    std::string FFileName;
    bool FAutoOpen = false;
    bool FAutoRewind = true;
    bool FAutoEnable = true;
    TMPDeviceTypes FDeviceType = dtAutoSelect;
    TButtonSet FVisibleButtons;
    TButtonSet FEnabledButtons;
    TButtonSet FColoredButtons;
    bool FShareable = false;
    TMPModes FMode = mpNotReady;
    bool FOpen = false;
};

#pragma GCC visibility pop
