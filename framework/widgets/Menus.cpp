// Menu items, menus and popup menus over QMenu.
#include "widgets/Menus.h"
#include "core/ClassRegistry.h"
#include "core/ScopeGuard.h"

#include "core/SysUtils.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"
#include "ui/KeyCodes.h"
#include "ui/ModalLoop.h"
#include "ui/WinControl.h"
#include "ui/Windows.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

FW_PUBLISH(TMenuItem) {
    p.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    p.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    p.Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0);
    p.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(TShortCut(0));
    p.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    p.Event("OnClick", &TMenuItem::OnClick);
}
FW_STREAMABLE(TMenuItem);

FW_PUBLISH(TMenu) {
}

FW_PUBLISH(TPopupMenu) {
    p.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    p.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    p.Property("HelpContext", &TPopupMenu::HelpContext, &TPopupMenu::SetHelpContext).Default(0);
    p.Event("OnPopup", &TPopupMenu::OnPopup);
}
FW_STREAMABLE(TPopupMenu);

// ---- TMenuItem --------------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
}

TMenuItem::~TMenuItem() {
    Destroying();
    Clear();
    if (FParent) FParent->Remove(this);
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EMenuError("Menu inserted twice");
    if (item->FParent) item->FParent->Remove(item);
    if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Delete(int index) {
    Remove(Items(index));
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back(); // leaves this item in its destructor
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::MenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int index) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    parent->Remove(this);
    parent->Insert(std::clamp(index, 0, parent->Count()), this);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TMenuItem* item : FItems)
        if (item->Owner() == root) proc(item);
}

void TMenuItem::SetChildOrder(TComponent* child, int order) {
    if (auto* item = dynamic_cast<TMenuItem*>(child); item && item->FParent == this)
        item->SetMenuIndex(order);
}

// ---- TMenu ------------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    Destroying();
    delete FItems;
}

void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

void TMenu::SetChildOrder(TComponent* child, int order) {
    FItems->SetChildOrder(child, order);
}

// ---- TPopupMenu -------------------------------------------------------------------------------------------

namespace {

// Owns the menus that no control owns: the menu-loop messages of those go to its window.
class TMenuOwnerWindow : public TWinControl {
    FW_CLASS(TMenuOwnerWindow, TWinControl)
public:
    explicit TMenuOwnerWindow(TComponent* owner) : TWinControl(owner) { SetVisible(false); }
};

HWND MenuOwnerWindow() {
    static TMenuOwnerWindow* window = new TMenuOwnerWindow(Application);
    return window->Handle();
}

QKeySequence KeySequenceOf(TShortCut shortCut) {
    if (shortCut == 0) return {};
    int key = QtKeyFromVirtualKey(static_cast<uint16_t>(shortCut & 0xFF));
    if (shortCut & scShift) key |= Qt::ShiftModifier;
    if (shortCut & scCtrl) key |= Qt::ControlModifier;
    if (shortCut & scAlt) key |= Qt::AltModifier;
    return QKeySequence(key);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPointF global = widget->mapToGlobal(QPointF(local));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(local), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

FW_PUBLISH(TMenuOwnerWindow) {
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
}

TPopupMenu::~TPopupMenu() {
    Destroying();
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    if (FMenu) FMenu->close();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = component;
    if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

HWND TPopupMenu::WindowHandle() const {
    for (TComponent* candidate : {FPopupComponent, Owner()}) {
        for (auto* control = dynamic_cast<TControl*>(candidate); control; control = control->Parent())
            if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->Handle();
    }
    return MenuOwnerWindow();
}

void TPopupMenu::Build(QMenu& menu, TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        QAction* action;
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(ToQString(item->Caption()));
            Build(*sub, item);
            action = sub->menuAction();
        } else {
            action = menu.addAction(ToQString(item->Caption()));
        }
        action->setEnabled(item->Enabled());
        if (item->Checked()) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (item->ShortCut() != 0) action->setShortcut(KeySequenceOf(item->ShortCut()));
        FActions[action] = item;
    }
}

void TPopupMenu::Popup(int x, int y) {
    Application->Initialize();
    if (OnPopup) OnPopup(this);
    QMenu menu;
    FActions.clear();
    Build(menu, Items());
    TMenuItem* chosen = nullptr;
    QObject::connect(&menu, &QMenu::triggered, &menu, [this, &chosen](QAction* action) {
        auto it = FActions.find(action);
        if (it != FActions.end()) chosen = it->second;
    });
    QPoint at(x, y);
    const int width = menu.sizeHint().width();
    if (FAlignment == paRight) at.rx() -= width;
    if (FAlignment == paCenter) at.rx() -= width / 2;

    const HWND owner = WindowHandle();
    {
        // A loop that fails ends the menu loop too: its owner's hooks would stay suspended otherwise.
        SendMessage(owner, WM_ENTERMENULOOP, 1, 0);
        const auto exitMenuLoop = ScopeGuard([owner] { SendMessage(owner, WM_EXITMENULOOP, 1, 0); });
        FMenu = &menu;
        const auto closed = ScopeGuard([this] {
            FMenu = nullptr;
            FActions.clear();
        });
        menu.popup(at);
        TModalLoop loop([&menu] { return !menu.isVisible(); }, [&menu] { menu.close(); });
        loop.Run(this);
    }
    // The command runs after the menu loop, as a posted command would.
    if (chosen) chosen->Click();
}

QAction* TPopupMenu::ActionOf(const TMenuItem* item) const {
    for (const auto& [action, candidate] : FActions)
        if (candidate == item) return action;
    throw EMenuError("The menu item is not in the open menu");
}

TRect TPopupMenu::ItemRect(TMenuItem* item) const {
    if (!FMenu) throw EMenuError("The menu is not open");
    QAction* action = ActionOf(item);
    const auto menus = FMenu->findChildren<QMenu*>();
    for (QMenu* menu : QList<QMenu*>{FMenu} + menus) {
        if (!menu->isVisible() || !menu->actions().contains(action)) continue;
        const QRect r = menu->actionGeometry(action);
        const QPoint origin = menu->mapToGlobal(r.topLeft());
        return TRect::FromBounds(origin.x(), origin.y(), r.width(), r.height());
    }
    throw EMenuError("The menu item does not show");
}

void TPopupMenu::ClickItem(TMenuItem* item) {
    if (!FMenu) throw EMenuError("The menu is not open");
    QAction* action = ActionOf(item);
    // Open the submenus on the way, as a person pointing at each parent and pressing Right.
    std::vector<TMenuItem*> path;
    for (TMenuItem* p = item->Parent(); p && p != Items(); p = p->Parent())
        path.insert(path.begin(), p);
    QMenu* menu = FMenu;
    for (TMenuItem* parent : path) {
        QAction* parentAction = ActionOf(parent);
        menu->setActiveAction(parentAction);
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(menu, &right);
        menu = parentAction->menu();
        if (!menu || !menu->isVisible()) throw EMenuError("The submenu did not open");
    }
    const QPoint middle = menu->actionGeometry(action).center();
    QPointer<QMenu> target = menu;
    SendMouse(menu, QEvent::MouseMove, middle, Qt::NoButton);
    if (target) SendMouse(menu, QEvent::MouseButtonPress, middle, Qt::LeftButton);
    if (target) SendMouse(menu, QEvent::MouseButtonRelease, middle, Qt::NoButton);
}
