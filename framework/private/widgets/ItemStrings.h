// Private to framework/widgets: the lines of a list control (list box, combo box), stored here and
// reported to the control as they change.
#pragma once

#include "core/Strings.h"

#include <string>
#include <string_view>
#include <vector>

class TItemStrings : public TStrings {
    FW_CLASS(TItemStrings, TStrings)
public:
    int Count() const override { return static_cast<int>(FLines.size()); }
    std::string Strings(int index) const override;
    TObject* Objects(int index) const override;
    void Put(int index, std::string_view text) override;
    void PutObject(int index, TObject* object) override;
    void InsertObject(int index, std::string_view text, TObject* object) override;
    // A sorted control puts the line after the lines that compare equal, so equal lines keep the order
    // they were added in.
    int AddObject(std::string_view text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    // Stable.
    void Sort();

protected:
    // What the control is told.
    virtual bool Sorted() const = 0;
    virtual void ItemsChanged() = 0;
    virtual void ItemInserted(int index) = 0;
    virtual void ItemDeleted(int index) = 0;
    // After Clear, before ItemsChanged: the control forgets its chosen and scrolled-to lines.
    virtual void ItemsCleared() = 0;

private:
    struct TLine {
        std::string Text;
        TObject* Object = nullptr;
    };
    void Check(int index) const;
    std::vector<TLine> FLines;
};
