#include "formwright_support.h"

#include "ComponentList.h"
#include "EditContainer.h"
#include "Formwright.h"
#include "components/Query.h"
#include "components/Table.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/WinControl.h"
#include "widgets/Button.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/StringGrid.h"

#include <algorithm>

FW_PUBLISH(TDesignSample) {
    FW_PUBLISH_FIELD(Label1);
    FW_PUBLISH_FIELD(Image1);
    FW_PUBLISH_FIELD(Button1);
    FW_PUBLISH_FIELD(Button2);
    FW_PUBLISH_FIELD(Panel1);
    FW_PUBLISH_FIELD(Button3);
    FW_PUBLISH_FIELD(StringGrid1);
    FW_PUBLISH_FIELD(Table1);
    FW_PUBLISH_FIELD(Query1);
}

TDesignSample::TDesignSample(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

FW_PUBLISH(TRecordingInspector) {
}

TRecordingInspector::TRecordingInspector(TComponent* owner) : TCustomObjectInspector(owner) {
}

TRecordingInspector::~TRecordingInspector() {
    delete FList;
}

void TRecordingInspector::SetInspectedRoot(TComponent* root) {
    Root = root;
    Calls.push_back("SetInspectedRoot " + (root ? NameOf(root) : std::string("null")));
}

void TRecordingInspector::RefreshValues() {
    Calls.push_back("RefreshValues");
}

void TRecordingInspector::InspectObject(TPersistent* instance) {
    delete FList;
    FList = nullptr;
    Inspected = {instance};
    Calls.push_back("InspectObject " + NameOf(instance));
}

void TRecordingInspector::InspectList(TComponentList* list) {
    delete FList;
    FList = list;
    Inspected.clear();
    std::string names;
    for (int i = 0; i < list->Count(); ++i) {
        Inspected.push_back(list->Items(i));
        names += (i ? "," : "") + NameOf(list->Items(i));
    }
    Calls.push_back("InspectList " + names);
}

void TRecordingInspector::ClearInspection() {
    delete FList;
    FList = nullptr;
    Inspected.clear();
    Calls.push_back("ClearInspection");
}

void TRecordingInspector::BeginComponentUpdate() {
    ++UpdateDepth;
    Calls.push_back("BeginComponentUpdate");
}

void TRecordingInspector::EndComponentUpdate() {
    --UpdateDepth;
    Calls.push_back("EndComponentUpdate");
}

void TRecordingInspector::Notification(TComponent* component, TOperation operation) {
    TCustomObjectInspector::Notification(component, operation);
    // Only components of other owners: the inspector's own children are no news of the design.
    if (component->Owner() != this && component != this)
        Calls.push_back((operation == opInsert ? "Insert " : "Remove ") + NameOf(component));
}

std::vector<std::string> TRecordingInspector::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> result;
    for (const auto& call : Calls)
        if (call.rfind(prefix, 0) == 0) result.push_back(call);
    return result;
}

int TRecordingInspector::Count(const std::string& call) const {
    return static_cast<int>(std::count(Calls.begin(), Calls.end(), call));
}

std::string NameOf(TPersistent* object) {
    if (!object) return "null";
    if (auto* component = dynamic_cast<TComponent*>(object); component && !component->Name().empty())
        return component->Name();
    return object->ClassName();
}

std::vector<std::string> OwnedNames(TComponent* owner) {
    std::vector<std::string> names;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        names.push_back(owner->Components(i)->Name());
    return names;
}

std::vector<std::string> DescribeDesign(TComponent* owner) {
    std::vector<std::string> lines;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* component = owner->Components(i);
        std::string line = component->Name() + ": " + component->ClassName();
        if (auto* control = dynamic_cast<TControl*>(component)) {
            TRect r = control->BoundsRect();
            line += " parent=" + NameOf(control->Parent()) + " bounds=" + std::to_string(r.Left) + "," +
                    std::to_string(r.Top) + "," + std::to_string(r.Right - r.Left) + "," +
                    std::to_string(r.Bottom - r.Top);
        } else {
            uint32_t info = component->DesignInfo();
            line += " design=" + std::to_string(info & 0xFFFF) + "," + std::to_string(info >> 16);
        }
        lines.push_back(line);
    }
    return lines;
}

void DesignedSample::SetUp() {
    TModalDriver::SetStrict(true);
    Form = new TDesignSample(nullptr);
    Form->Show();
    Application->ProcessMessages();
    Inspector = new TRecordingInspector(nullptr);
    Designer = new TFormwright();
    Designer->SetInspector(Inspector);
    Designer->SetRoot(Form);
    Application->ProcessMessages();
    Inspector->Calls.clear();
}

void DesignedSample::TearDown() {
    delete Designer;
    delete Form;
    delete Inspector;
    EXPECT_EQ(TModalDriver::TakeFailures(), std::vector<std::string>{});
    TModalDriver::SetStrict(false);
}

void DesignedSample::Press(uint16_t key, TShiftState shift) {
    TInputSimulator::KeyPress(key, shift, Form->Handle());
    Application->ProcessMessages();
}

std::vector<std::string> DesignedSample::SelectedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < Designer->SelectionCount(); ++i)
        names.push_back(NameOf(TFormwright::ComponentOf(Designer->Selected(i))));
    return names;
}

TEditContainer* DesignedSample::PlaceholderOf(TComponent* component) const {
    return Designer->PlaceholderOf(component);
}
