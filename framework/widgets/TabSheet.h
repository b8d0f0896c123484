// TTabSheet: one page of a TPageControl. Its caption is the page's tab; the page control shows the active
// sheet over its display area and hides the others.
#pragma once

#include "ui/CustomControl.h"

#pragma GCC visibility push(default)

class TPageControl;

class TTabSheet : public TCustomControl {
    FW_CLASS(TTabSheet, TCustomControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // Setting the page control makes the sheet its last page (its parent); null takes it out.
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pageControl);
    // The sheet's position among the pages; -1 without a page control. Setting it moves the tab.
    int PageIndex() const;
    void SetPageIndex(int index);
    // Whether the page has a tab; a page without one cannot be chosen by clicking.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);

    void SetParent(TWinControl* parent) override;

protected:
    void Paint() override;
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

#pragma GCC visibility pop
