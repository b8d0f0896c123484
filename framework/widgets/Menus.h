// TMenuItem, TMenu and TPopupMenu: menus of commands.
//
// Items form a tree: a menu's Items() is the invisible root item, whose sub-items are the entries shown.
// In a form, items are components of the form written inside their menu or parent item:
//
//     object PopupMenu1: TPopupMenu
//       object AlignItem: TMenuItem
//         Caption = '&Align...'
//         OnClick = AlignItemClick
//       end
//     end
//
// Popup runs the menu's own modal loop (see ui/ModalLoop.h): the window that owns the menu hears
// WM_ENTERMENULOOP before the menu opens and WM_EXITMENULOOP after it closed, and only then does the
// chosen item's Click run. A modal action receives the TPopupMenu and chooses an item as a person would:
// ClickItem, or keys (TInputSimulator::KeyPress goes to the open menu: arrows, Enter, the accelerator
// letter, Escape).
#pragma once

#include "core/Component.h"
#include "graphics/Types.h"
#include "ui/Messages.h"

#include <map>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TMenu;
class QMenu;
class QAction;

// A key with modifiers as a menu shows it: the virtual-key code in the low byte, scShift, scCtrl, scAlt.
FW_INTEGER_TYPE(TShortCut, uint16_t, 0, 65535);
inline constexpr uint16_t scShift = 0x2000;
inline constexpr uint16_t scCtrl = 0x4000;
inline constexpr uint16_t scAlt = 0x8000;

FW_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TMenuItem : public TComponent {
    FW_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the sub-items too, and leaves the parent item.
    ~TMenuItem() override;

    // "&" marks the accelerator letter ("&&" shows an ampersand); "-" makes the item a separator line.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption) { FCaption = caption; }
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }

    TNotifyEvent OnClick;
    // Runs OnClick when the item is enabled.
    virtual void Click();

    // ---- sub-items
    int Count() const { return static_cast<int>(FItems.size()); }
    // Fails with EMenuError "Menu index out of range" for a bad index.
    TMenuItem* Items(int index) const;
    // Adds at the end (Insert: before `index`); an item that is already in another item moves.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item); // the item is taken out, not freed
    void Delete(int index);       // the item at `index` is taken out, not freed
    void Clear();                 // frees every sub-item
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void SetMenuIndex(int index);
    // The menu whose tree holds the item, or null.
    TMenu* GetParentMenu() const;

    // ---- streaming
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;

private:
    friend class TMenu;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    TShortCut FShortCut = TShortCut(0);
    int FHelpContext = 0;
    std::string FHint;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item
};

class TMenu : public TComponent {
    FW_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems; }

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;

private:
    TMenuItem* FItems;
};

class TPopupMenu : public TMenu {
    FW_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shows the menu at the screen point (aligned by Alignment) and runs its loop until an item is chosen
    // or the menu is dismissed; the chosen item's Click runs after the loop, once WM_EXITMENULOOP was sent.
    // OnPopup runs first, so it can enable and disable items.
    virtual void Popup(int x, int y);

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    // The component the menu was popped up for (the caller sets it); its window owns the menu.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);
    // The window that hears the menu-loop messages: that of PopupComponent when it is a control (its
    // parent's for a graphic control), else that of the owner when it is a control, else a hidden
    // window of the framework that owns the menus nobody else owns.
    HWND WindowHandle() const;

    TNotifyEvent OnPopup;

    // ---- driving the open menu (modal actions, automation)
    bool Showing() const { return FMenu != nullptr; }
    // The item's place on the screen while its menu shows. Fails with EMenuError when it does not show.
    TRect ItemRect(TMenuItem* item) const;
    // Points at the item and clicks it with real mouse input to the menu. For an item of a submenu, the
    // parent items are opened first (pointed at, then the Right key). Fails with EMenuError when the item
    // is not in the open menu.
    void ClickItem(TMenuItem* item);

    void Notification(TComponent* component, TOperation operation) override;

private:
    void Build(QMenu& menu, TMenuItem* parent);
    QAction* ActionOf(const TMenuItem* item) const;

    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    int FHelpContext = 0;
    TComponent* FPopupComponent = nullptr;
    QMenu* FMenu = nullptr; // while the menu shows
    std::map<QAction*, TMenuItem*> FActions;
};

FW_DECLARE_EXCEPTION(EMenuError, Exception);

#pragma GCC visibility pop
