// TFormwright: the runtime designer. It takes over one live windowed control of the running application
// (a form, or a container control on a form), called the root, and turns it into a design surface: input
// to every window inside the root is intercepted by two thread message hooks before the controls see it;
// the root paints a dot grid; the user selects, moves, resizes and places components with the mouse and
// edits the design with the keyboard and the clipboard. Non-visual components are shown as placeholder
// boxes (TEditContainer). Every change is reported to the linked Object Inspector.
//
// One designer per process: the hooks report to the designer constructed last (ActiveDesigner).
//
// Every change of the design is one step of a bounded undo history (Undo, Redo): a move or resize, a
// placement, a delete, cut or paste, a value set through the inspector, an arrangement command, a load.
//
// Design objects are controls inside the root and placeholders. The selection is ordered; a single
// selected object carries the eight grab handles of the grab (TEditGrab), each object of a multiple
// selection shows grey corner marks (TEditSelector).
#pragma once

#include "ArrangeCodes.h"
#include "CustomDesigner.h"
#include "DesignSnapshot.h"
#include "NameNumbers.h"
#include "core/List.h"
#include "graphics/Colors.h"
#include "ui/Control.h"
#include "ui/Windows.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#pragma GCC visibility push(default)

class TBinaryCache;
class TCanvas;
class TControl;
class TCustomForm;
class TDesignCheckWindow;
class TDesignHistory;
class TDesignIdentities;
class TDragGuides;
class TEditContainer;
class TEditGrab;
class TMenuItem;
class TPopupMenu;
class TReader;
class TWinControl;

// Sent straight to a control's window procedure: every corner-mark watcher (TEditSelector) attached to the
// control detaches itself. WParam is 1 when the control or its component is being removed, 0 when it is
// only deselected; LParam is 0.
inline constexpr UINT WM_DESIGNRELEASE = 0x0500;
// The window user data of every grab-handle window; such windows never belong to the design surface.
inline constexpr intptr_t GrabHandleMarker = 197131;
// A fixed coordinate of a resize that is not fixed.
inline constexpr int NotFixed = 327670;

// What the current mouse drag does.
enum TDesignDrag : uint8_t { ddNone = 0, ddMove = 1, ddRubberBand = 2, ddResize = 3, ddPlace = 4 };

class TFormwright : public TCustomDesigner {
    FW_CLASS(TFormwright, TCustomDesigner)
public:
    TFormwright();
    // Stops designing (SetRoot(null)) and gives up being the active designer.
    ~TFormwright() override;

    // ---- interception and attachment
    // A message sent to a window of the thread (close request, cancel mode); sent messages cannot be
    // consumed.
    virtual void HandleSentMessage(CWPSTRUCT& info);
    // A posted input message before it leaves the queue; handlers consume it by setting its message to
    // WM_NULL.
    virtual void HandlePostedMessage(MSG& msg);
    // Whether a component owned by the designed form (or the root) has this name (case ignored).
    virtual bool ComponentNameExists(const std::string& name);
    // Builds the designer's popup menu, once, when it is first needed (so an override is used). The
    // standard commands are the items whose OnClick is the designer's handler; a menu may leave any out.
    virtual std::unique_ptr<TPopupMenu> CreateDesignerMenu();
    virtual void LeftButtonDown(MSG& msg);
    virtual void LeftButtonUp(MSG& msg);
    virtual void MouseMoved(MSG& msg);
    // Every key-down on the design surface or anywhere in the designed form.
    virtual void KeyPressed(MSG& msg);
    virtual void DoubleClicked(MSG& msg);
    virtual void RightButtonDown(MSG& msg);
    // A close request of the root: a designed form that is not the main form is hidden.
    virtual void CloseRequested(CWPSTRUCT& info);
    // Replaces the root's window procedure while designing: paints the grid, reports position changes.
    virtual void RootWindowProc(TMessage& message);
    // Enables the commands that need a selection when there is one, then pops the designer menu up at a
    // point in screen coordinates and runs the chosen command.
    virtual void ShowDesignerMenu(TPoint screenPoint);
    // Starts designing a windowed control on a form (not an embedded frame), switches to another one, or
    // with null stops. On failure the previous root is kept and the exception propagates.
    virtual void SetRoot(TComponent* newRoot);
    virtual void DeleteSelection();
    virtual void CopySelection();
    virtual void PasteSelection();
    virtual void CutSelection();

    // ---- designer interface
    // Refreshes the inspector's values and records the change as a step of the history (at the end of the
    // edit it belongs to); the modified flag then says whether the design differs from the one last saved
    // or loaded.
    void Modified() override;
    // Insertions make placeholders for non-visual components (and collect pasted objects); removals
    // release the corner marks of controls. Both are forwarded to the inspector.
    void ComponentNotification(TComponent* component, TOperation operation) override;
    void SelectComponent(TPersistent* component) override;
    std::string UniqueComponentName(const std::string& baseName) override;
    // Keeps the numbers of a paste's names in step (see UniqueComponentName).
    void ValidateComponentRename(TComponent* component, const std::string& curName,
                                 const std::string& newName) override;

    // ---- undo and redo
    // Undo puts the design back as it was before the last step, Redo as it was after the step undone
    // last: values, bounds, parents, z-order, tab order, owned order, names, placeholders and the
    // selection. Components that exist in both states stay the same objects; freed ones are made again
    // with their names, classes, parents and values. Both do nothing when there is no such step.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The design as it is now is the one saved: the modified flag is set exactly while the design differs
    // from it.
    void MarkSaved();
    // At most this many steps, holding at most about this much memory (the newest step always stays).
    void SetHistoryLimits(int maxSteps, size_t maxBytes);
    const TDesignHistory& History() const { return *FHistory; }
    // Whether the state the history holds for the design now is the design as it is, every value
    // written afresh (a check for tests; between edits).
    bool HistoryMatchesDesign();
    // Called whenever steps are added, undone, redone or cleared.
    TNotifyEvent OnHistoryChange;
    // Brackets one edit: what changes inside is one step, also when the edit fails part way (then the
    // step undoes what it changed). The designer's own operations bracket themselves.
    void BeginDesignChange() override;
    void EndDesignChange(bool succeeded) override;
    // An edit that goes on over many events: its steps join into one, and when it ends where it began it
    // leaves none. Undo and Redo end it.
    void BeginContinuedChange() override;
    void EndContinuedChange() override;
    // The edit in progress changes the stored values of this object (a value set through the inspector):
    // recording it then writes the values of this component and those around it, not the whole design.
    void ObjectEdited(TPersistent* instance) override;
    // A load from text runs between these: it is one step, and the state it leaves counts as saved. When
    // it fails, the design is put back as it was before it. EndLoad must follow BeginLoad whatever happens.
    void BeginLoad();
    void EndLoad(bool succeeded);

    // ---- the design surface
    // The window in whose client coordinates the control's bounds are drawn and its grab handles live.
    HWND DesignWindowOf(TControl* control) const;
    // The rectangle a design object covers in the client coordinates of its design window.
    TRect DesignRectOf(TControl* control) const;
    // The root window or a descendant of it that is not a grab handle.
    bool IsDesignWindow(HWND window) const;
    // The placeholder of a non-visual component; fails with "Can not find container of this component".
    TEditContainer* PlaceholderOf(TComponent* component) const;
    // The placeholder of a non-visual component, or null.
    TEditContainer* FindPlaceholder(TComponent* component) const;
    // The design object under a point of a window: a component of the designed form, the root, a
    // placeholder, or null.
    TControl* DesignTargetAt(HWND window, TPoint point) const;
    // The component a design object stands for: the control itself or the placeholder's component.
    static TComponent* ComponentOf(TControl* designObject);
    // Whether the component is a design object or has one: a control, or a non-visual component that is
    // not written inside another one (a menu item is written inside its menu and has no box).
    static bool HasDesignObject(TComponent* component);
    // Whether the component belongs to the design: owned by the root or by the designed form, and for a
    // control, inside the root. The root itself does not count.
    bool IsInDesign(TComponent* component) const;
    // The last component of the design in owned order that has a design object (the root's own
    // components, then, when a container is designed, the form's components inside it), or null.
    TComponent* LastDesignComponent() const;
    // Whether the component is written inside a component of the design (a menu item of a designed menu)
    // without being a design object itself.
    bool IsWrittenInDesign(TComponent* component) const;

    // ---- selection
    // The selected design objects; a component chosen in the inspector that has no design object of its
    // own (a menu item, written inside its menu) is the SelectedChild instead.
    int SelectionCount() const { return FSelection.Count(); }
    TControl* Selected(int index) const { return FSelection.Items(index); }
    bool IsSelected(TControl* object) const { return FSelected.count(object) > 0; }
    void SelectObject(TControl* object, bool exclusive);
    // The selected component that has no design object (see SelectionCount), or null. Delete, cut and copy
    // take it when nothing else is selected, and a paste of such components puts them beside it.
    TComponent* SelectedChild() const { return FSelectedChild; }
    void UnselectObject(TControl* object);
    // With release, the selected objects' corner-mark watchers are released and the marks invalidated.
    void ClearSelection(bool release);
    // Keeps only the selected objects with the same parent as the reference (or as the first selected
    // object), then reports the selection.
    void KeepSiblingsOnly(TControl* reference);
    void DrawMarks(TControl* object);
    void InvalidateMarks(TControl* object);
    // While one exists, the corner marks asked to repaint are gathered; at the end of the outermost one
    // they are invalidated, many at once as the one rectangle of the root window that holds them all (Qt
    // would merge thousands of small rectangles into its repaint region one at a time).
    class TMarksBatch {
    public:
        explicit TMarksBatch(TFormwright* designer) : FDesigner(designer) { ++designer->FMarksBatchDepth; }
        ~TMarksBatch() {
            if (--FDesigner->FMarksBatchDepth == 0) FDesigner->FlushMarks();
        }
        TMarksBatch(const TMarksBatch&) = delete;
        TMarksBatch& operator=(const TMarksBatch&) = delete;

    private:
        TFormwright* FDesigner;
    };
    // Tells the inspector what is selected (the root when nothing is).
    void SelectionChanged();

    // ---- editing
    // Moves every selected object by the offset and reports the change.
    void MoveSelectionBy(int dx, int dy);
    void ResizeSelectionBy(int dx, int dy);
    // Selects the next (or previous) control in the tab order of the selected control's parent.
    void SelectInTabOrder(bool forward);
    // Selects every direct child control of the root and every placeholder.
    void SelectAll();
    // Selects the parent of the grabbed (or first selected) object; the root at the top.
    void SelectParent();
    // Starts a resize of the grabbed object from a grab handle: the anchor corner, the pinned coordinates
    // (NotFixed when free) and the point pressed, in root window coordinates. A release before the mouse
    // left the pressed point changes nothing.
    void StartResize(TPoint anchor, int fixedX, int fixedY, TPoint press);

    // ---- arrangement commands (the designer menu)
    // Aligns the other selected objects to the first one along one axis, after keeping only the first
    // one's siblings; space equally sorts the selection by position and leaves it so. Center in window
    // moves the whole selection by one offset so that its bounding box is centred in the parent's client
    // area. Needs two selected objects.
    void AlignSelection(TAlignCode code);
    // Moves the top-left corner of every selected control onto the grid of the root's client area.
    void AlignSelectionToGrid();
    // Sizes the selected siblings of the first selected object; the absolute values serve szAbsolute only.
    // Needs two selected objects.
    void SizeSelection(TSizeCode widthCode, TSizeCode heightCode, int width, int height);
    // Raises the selected controls, then every placeholder and the grab handles above them.
    void BringSelectionToFront();
    void SendSelectionToBack();
    // Moves a point of the root's client area onto the grid (towards zero).
    void SnapPointToGrid(TPoint& point) const;
    // The container whose tab order "Tab Order..." edits: the nearest container at or above the grabbed
    // object, else the root.
    TWinControl* TabOrderContainer() const;

    // The designer menu's click handlers.
    void AlignToGridClick(TObject* Sender);
    void BringToFrontClick(TObject* Sender);
    void SendToBackClick(TObject* Sender);
    void AlignClick(TObject* Sender);
    void SizeClick(TObject* Sender);
    void ScaleClick(TObject* Sender);
    void TabOrderClick(TObject* Sender);
    void CreationOrderClick(TObject* Sender);

    // ---- snap guides
    // While on, a move or resize by the mouse snaps edges and centre lines to the neighbours' within a few
    // pixels and shows guide lines (TDragGuides); an axis that snaps to nothing keeps the grid, and Alt
    // held drags freely. Off by default. The designer menu's "Snap to Guides" switches it and remembers
    // the choice in the designer's settings, which a new designer starts with.
    bool SnapToGuides() const { return FSnapToGuides; }
    void SetSnapToGuides(bool value);
    // The section and value name that remember SnapToGuides, in the settings key of the colour dialog's
    // custom colours (TColorProperty::CustomColorsKey).
    static constexpr const char* SettingsSection = "Designer";
    static constexpr const char* SnapToGuidesSetting = "SnapToGuides";
    TColor GuideColor() const { return FGuideColor; }
    const TDragGuides& Guides() const { return *FGuides; }

    // ---- design check
    // Opens the "Design Check" window (or brings it up again) listing what CheckDesign finds in the root;
    // while it is shown it follows every change of the design.
    void ShowDesignCheck();
    // The window once opened, or null.
    TDesignCheckWindow* DesignCheckWindow() const { return FCheckWindow.get(); }

    // ---- drag primitives
    void BeginDrag(HWND window, TPoint point, TDesignDrag mode);
    // Ends the current drag without applying it: lifts the clip and capture and erases the last frame.
    void StopDrag();
    // Truncates the point's offset from the drag origin to a multiple of the grid step.
    void SnapToGrid(TPoint& point) const;
    // Creates a component of the class to place at the end of a placement.
    void PlaceComponent();

    // ---- state other parts read and set
    TWinControl* Root() const { return FRoot; }
    HWND RootWindow() const { return FRootWindow; }
    // The form that contains the root; keeps its value after designing ends.
    TCustomForm* DesignedForm() const { return FDesignedForm; }
    int GridX() const { return FGridX; }
    int GridY() const { return FGridY; }
    TEditGrab* Grab() const { return FGrab.get(); }
    TDesignDrag DragMode() const { return FDragMode; }
    // The component class the next placement creates (set by the host; cleared after a placement).
    TClass ClassToPlace() const { return FClassToPlace; }
    void SetClassToPlace(TClass cls) { FClassToPlace = cls; }
    // Every live placeholder of this designer.
    const TPointerList<TEditContainer>& Placeholders() const { return FPlaceholders; }
    // Exists only while a paste runs: the design objects the paste created.
    TList* PastedComponents() const { return FPastedComponents; }
    // The designer menu, built on first use.
    TPopupMenu* DesignerMenu();
    // The nine command items of the standard menu, top to bottom (the separator has no slot); null for a
    // command the menu leaves out.
    TMenuItem* DesignerMenuItem(int index);
    // "Undo" and "Redo", below a separator after the nine command items; null when left out.
    TMenuItem* UndoMenuItem();
    TMenuItem* RedoMenuItem();
    // "Snap to Guides", below a separator after "Redo", and "Check Design..." after it; null when left out.
    TMenuItem* SnapToGuidesMenuItem();
    TMenuItem* CheckDesignMenuItem();
    TColor GridColor() const { return FGridColor; }
    TColor FrameColor() const { return FFrameColor; }
    TColor HandleColor() const { return FHandleColor; }
    TColor MarkColor() const { return FMarkColor; }
    // Whether the root's window was destroyed while designing.
    bool RootWindowDestroyed() const { return FRootWindowDestroyed; }
    // Brackets reading a design into the root (a load): the bounds it sets report no modification.
    void BeginReading() { ++FReadingDepth; }
    void EndReading() { --FReadingDepth; }

private:
    friend class TDesignRestorer;
    friend class TEditContainer;
    friend class TEditGrab;
    friend struct TFormwrightHooks;

    using TDragStep = void (TFormwright::*)(TPoint point);

    void Attach(TWinControl* newRoot);
    void Detach();
    void RepaintPass(TControl* control, bool attached);
    void RepaintTree(TControl* control, bool attached, bool invalidate);
    void PaintGrid(TCanvas& canvas, const TRect& rect);
    void FreePlaceholders();
    // A selected object is being destroyed (told through the grab): drop every pointer to it.
    void DesignObjectDestroyed(TComponent* object);
    TRect MarksRect(TControl* object, HWND& window) const;
    void InvalidateMark(HWND window, const TRect& mark);
    void FlushMarks();
    // Unselects the objects whose parent is not the reference's (or the first selected one's); true when
    // there were any.
    bool UnselectOtherParents(TControl* reference);

    // drag steps
    void GenericMoveStep(TPoint point);
    void PinnedMoveStep(TPoint point);
    void DrawFrameTo(TPoint point);
    void DrawSelectionFrames(TPoint point);
    void FinishMove(TPoint point);
    void FinishRubberBand(TPoint point);
    void FinishResize(TPoint point);
    void NoteResizeMove(TPoint point);
    void FinishPlacement(TPoint point);
    void StartMove(TControl* target, TPoint point);
    void StartRubberBand(HWND window, TPoint point);
    void StartPlacement(HWND window, TPoint point);
    void ClipAndCapture(HWND clipWindow, HWND captureWindow);
    void DrawFrame(TPoint from, TPoint to);
    void DrawFrameRect(const TRect& rect);
    void Pin(TPoint& point) const;
    // Snaps a drag point to the guides or the grid as the drag and the Alt key ask.
    void SnapDragPoint(TPoint& point);
    void SnapToGuidesClick(TObject* Sender);
    void LoadGuideSettings();
    void CheckDesignClick(TObject* Sender);
    // The design changed, or another one is designed: the check window follows.
    void RefreshDesignCheck();
    void ApplyResize();
    // the paste's name hook for the component reader
    void PasteSetName(TReader& reader, TComponent* component, std::string& name);
    void UndoClick(TObject* Sender);
    void RedoClick(TObject* Sender);
    // Finds the standard items in the menu just built.
    void FindMenuItems();
    // Puts every placeholder at its component's design position and shows it.
    void ShowPlaceholders();

    // history (FormwrightHistory.cpp)
    // Records the change (operations that do not call Modified).
    void DesignChanged();
    void NoteChange();
    // What the edit in progress changed, for recording it: this component's values; the component with
    // what its parent holds and what it holds itself; or everything (a load).
    void NoteChanged(TComponent* component);
    void NoteSelectionChanged();
    void NoteChangedAround(TComponent* component);
    // The edit may make, free or restack windows.
    void NoteRestacked();
    void NoteEverythingChanged();
    void CommitChange(bool succeeded);
    void StartHistory();
    void EndHistory();
    void StepHistory(bool back);
    // A capture of the design as it is now, from the state the history last saw.
    TDesignStatePtr CaptureNow(const TChangeNotes* notes);
    void RestoreState(const TDesignState& live, const TDesignState& state);
    void SelectRecorded(const TSelectionState& selection);
    void UpdateModifiedFlag();
    void HistoryChanged();

    bool FRootWindowDestroyed = false;
    int FReadingDepth = 0;
    TDesignDrag FDragMode = ddNone;
    HWND FDragWindow = nullptr;
    TPoint FDragOrigin;
    TPoint FDragPoint;
    int FFixedX = NotFixed;
    int FFixedY = NotFixed;
    TPoint FResizePress;       // where the resize's handle was pressed, in root window coordinates
    bool FResizeMoved = false; // the mouse left that point since
    bool FSnap = false;
    bool FFrameShown = false; // a feedback frame is on screen
    TDragStep FFeedbackStep = nullptr;
    TDragStep FUpStep = nullptr;
    TDragStep FMoveStep = nullptr;
    TWinControl* FRoot = nullptr;
    HWND FRootWindow = nullptr;
    TCustomForm* FDesignedForm = nullptr;
    int FGridX = 8;
    int FGridY = 8;
    TPointerList<TControl> FSelection;
    std::unordered_set<const void*> FSelected; // the items of FSelection, for membership in constant time
    int FMarksBatchDepth = 0;
    std::vector<std::pair<HWND, TRect>> FPendingMarks; // gathered by a TMarksBatch
    std::unique_ptr<TEditGrab> FGrab;
    TColor FGridColor = clGray;
    TColor FFrameColor = clWhite;
    TColor FHandleColor = clBlack;
    TColor FMarkColor = clGray;
    TPointerList<TEditContainer> FPlaceholders;
    TClass FClassToPlace = nullptr;
    TList* FPastedComponents = nullptr;
    // While a paste runs: the numbers its new names take, kept in step with the designed form's names.
    std::unique_ptr<TNameNumbers> FPasteNames;
    TWndMethod FSavedRootWindowProc;
    std::unique_ptr<TPopupMenu> FPopupMenu;
    TMenuItem* FMenuItems[9] = {};
    TMenuItem* FUndoItem = nullptr;
    TMenuItem* FRedoItem = nullptr;
    TMenuItem* FSnapItem = nullptr;
    bool FSnapToGuides = false;
    TColor FGuideColor = RGB(0, 120, 215);
    std::unique_ptr<TDragGuides> FGuides;
    TMenuItem* FCheckItem = nullptr;
    std::unique_ptr<TDesignCheckWindow> FCheckWindow;
    TComponent* FSelectedChild = nullptr;
    std::vector<uint32_t>* FPastedIds = nullptr; // while a paste runs: the number of every component it made

    std::unique_ptr<TDesignIdentities> FIds;
    std::unique_ptr<TDesignHistory> FHistory;
    std::unique_ptr<TBinaryCache> FBinaries; // the picture data the recorded states hold
    TDesignStatePtr FCurrentState;           // the design as the history last saw it
    TDesignStatePtr FSavedState;             // the design last saved or loaded
    TDesignStatePtr FLoadBefore;             // the design before the load that runs
    TSelectionState FSelectionAtStart;       // the selection when the outermost edit began
    TChangeNotes FNotes;                     // what the edits since the last step are known to have changed
    bool FEverythingChanged = false;
    int FChangeDepth = 0;
    bool FChangePending = false;
    bool FChangeFailed = false;
    bool FRestoring = false;
    bool FRootWindowChange = false; // the change being noted is a move or resize of the root's window
    uint64_t FContinuation = 0;     // the continued change that runs, or 0
    uint64_t FNextContinuation = 1;
};

// The designer the hooks report to, or null.
TFormwright* ActiveDesigner();

#pragma GCC visibility pop
