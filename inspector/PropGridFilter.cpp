// The property grid's filter, which shows only the rows whose name contains a text, and the marks of
// stored values.
#include "PropGrid.h"

#include "PropInplaceEditor.h"

#include "core/ScopeGuard.h"
#include "ui/Windows.h"

#include <algorithm>
#include <cctype>

namespace {

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

} // namespace

bool TPropGrid::MarkKept(TPropObject* row, bool aboveMatches) {
    const bool matches = FFilter.empty() || ContainsIgnoringCase(row->Name(), FFilter);
    bool belowMatches = false;
    for (int i = 0; i < row->Children().Count(); ++i)
        belowMatches = MarkKept(row->Children().Items(i), aboveMatches || matches) || belowMatches;
    row->FKept = matches || aboveMatches || belowMatches;
    // A row above a match opens to show it.
    if (!FFilter.empty() && belowMatches) row->FExpanded = true;
    return matches || belowMatches;
}

void TPropGrid::AppendShownRows(TPropObject::TPropList& rows) {
    for (int i = 0; i < rows.Count(); ++i) {
        TPropObject* row = rows.Items(i);
        if (!row->Kept()) continue;
        FVisibleRows.Add(row);
        if (row->Expanded()) AppendShownRows(row->Children());
    }
}

void TPropGrid::SetFilter(const std::string& text) {
    if (text == FFilter) return;
    // A pending edit that cannot be applied leaves the filter as it was: the same text tries again.
    if (FTopRows.Count() > 0) CommitEdit();
    FFilter = text;
    if (FTopRows.Count() == 0) return;
    TPropObject* current = CurrentRow();
    FVisibleRows.Clear();
    BuildVisibleRows();
    if (FVisibleRows.Count() == 0) {
        HideEditor();
        Hide();
        return;
    }
    FClearing = true;
    {
        const auto endClearing = ScopeGuard([this] { FClearing = false; });
        SetRowCount(FVisibleRows.Count());
        const int index = FVisibleRows.IndexOf(current);
        SetRow(index >= 0 ? index : 0);
    }
    if (!Visible() && Parent() && Parent()->IsShowing()) {
        Show();
        AdjustValueColumn();
        SetCol(1);
    }
    Invalidate();
    LoadEditorForCurrentRow();
}

void TPropGrid::SetRowStored(TPropObject* row, bool stored) {
    if (row->FStored == stored) return;
    row->FStored = stored;
    const int index = FVisibleRows.IndexOf(row);
    if (index >= 0 && HandleAllocated()) InvalidateCell(1, index);
    if (row == CurrentRow())
        if (TPropInplaceEditor* editor = PropEditor()) editor->ShowStored(stored);
}
