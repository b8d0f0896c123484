// Shared fixtures of the runtime designer tests: the sample form that is designed, an inspector that
// records what the designer tells it, and small helpers to find and describe components.
#pragma once

#include "CustomObjectInspector.h"
#include "ui/Control.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TLabel;
class TImage;
class TButton;
class TPanel;
class TStringGrid;
class TTable;
class TQuery;
class TComponentList;
class TFormwright;
class TEditContainer;

// The designed form, read from its form resource (sample.form, written by make_sample_form.py): two
// buttons, a panel with a button in it, a label, an image with a small bitmap, a string grid, and a table
// and a query with design positions.
class TDesignSample : public TForm {
    FW_CLASS(TDesignSample, TForm)
public:
    explicit TDesignSample(TComponent* owner);

    TLabel* Label1 = nullptr;
    TImage* Image1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button3 = nullptr;
    TStringGrid* StringGrid1 = nullptr;
    TTable* Table1 = nullptr;
    TQuery* Query1 = nullptr;
};

// An inspector that logs every call of the designer as one line of text, e.g. "ClearInspection",
// "SetInspectedRoot DesignSample", "InspectObject Button1", "InspectList Button1,Button2",
// "RefreshValues", "BeginComponentUpdate", "Insert Button4", "Remove Table1". Names are taken at the
// time of the call (a component's Name, "<placeholder of X>" never appears: the designer maps them).
class TRecordingInspector : public TCustomObjectInspector {
    FW_CLASS(TRecordingInspector, TCustomObjectInspector)
public:
    explicit TRecordingInspector(TComponent* owner = nullptr);
    ~TRecordingInspector() override;

    std::vector<std::string> Calls;
    // What is inspected now: the one object, or the items of the last list (empty after ClearInspection).
    std::vector<TPersistent*> Inspected;
    TComponent* Root = nullptr;
    int UpdateDepth = 0; // Begin minus End calls

    TComponent* InspectedRoot() override { return Root; }
    void SetInspectedRoot(TComponent* root) override;
    void RefreshValues() override;
    void InspectObject(TPersistent* instance) override;
    void InspectList(TComponentList* list) override;
    void ClearInspection() override;
    void BeginComponentUpdate() override;
    void EndComponentUpdate() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The calls whose text starts with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    int Count(const std::string& call) const;

private:
    TComponentList* FList = nullptr;
};

// A describing name for test messages and logs: a component's Name, else its class name.
std::string NameOf(TPersistent* object);
// The names of the components `owner` owns, in order.
std::vector<std::string> OwnedNames(TComponent* owner);
// One line per component of the tree under `owner`: "Name: Class parent=Parent bounds" (controls) or
// "Name: Class design=left,top" (non-visual components), in owned order. Compares whole designs.
std::vector<std::string> DescribeDesign(TComponent* owner);

// The sample form shown and designed as a whole, with a recording inspector linked to the designer.
struct DesignedSample : ::testing::Test {
    void SetUp() override;
    void TearDown() override;

    // A real key press (down and up) on the designed form, as the keyboard delivers it.
    void Press(uint16_t key, TShiftState shift = {});
    // The components of the selected design objects, in selection order (placeholders give their
    // component's name).
    std::vector<std::string> SelectedNames() const;
    TEditContainer* PlaceholderOf(TComponent* component) const;

    TDesignSample* Form = nullptr;
    TRecordingInspector* Inspector = nullptr;
    TFormwright* Designer = nullptr;
};
