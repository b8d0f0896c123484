// TPageControl: a set of pages (TTabSheet) with a row of tabs along the top. Clicking a tab, or the
// Left and Right keys while the control has the focus, makes its page active: OnChanging may refuse,
// then the page shows and OnChange runs. Setting ActivePage from code runs neither.
#pragma once

#include "ui/CustomControl.h"
#include "widgets/TabSheet.h"

#include <vector>

#pragma GCC visibility push(default)

FW_EVENT_TYPE(TTabChangingEvent, void(TObject* Sender, bool& AllowChange));

class TPageControl : public TCustomControl {
    FW_CLASS(TPageControl, TCustomControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    // Fails with EListError "List index out of bounds (%d)" for a bad index.
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows `page` (one of this control's pages, or null for none) and hides the others.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next page with a visible tab after (or before) `current`, wrapping around; null when none.
    TTabSheet* FindNextPage(TTabSheet* current, bool forward) const;
    void SelectNextPage(bool forward);

    // Fixed tab width in pixels; 0 fits each tab to its caption.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int width);
    // Fixed tab height; 0 fits the font.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int height);

    // The tab of a page in client coordinates; empty for a page without a visible tab.
    TRect TabRect(int pageIndex) const;
    // The page whose tab is under the point (client coordinates), or -1.
    int IndexOfTabAt(int x, int y) const;
    // The area the active page covers.
    TRect DisplayRect() const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void FontChanged() override;
    // Asks OnChanging, then activates the page and runs OnChange; false when refused.
    bool ChangeActivePage(TTabSheet* page);

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PagesChanged();
    int RowHeight() const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    int FTabWidth = 0;
    int FTabHeight = 0;
};

#pragma GCC visibility pop
