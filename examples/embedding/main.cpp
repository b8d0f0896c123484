// An application whose users redesign its order form while it runs: "Edit" hands the form to the designer
// and the Object Inspector, "Save" and "Load" keep the design in order-form.txt. With --self-test it
// designs, saves and loads once without a person and exits 0 when all went well.
#include "Formwright.h"
#include "FormwrightText.h"
#include "ObjInsp.h"
#include "core/ClassRegistry.h"
#include "graphics/Brush.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/CustomControl.h"
#include "widgets/Button.h"
#include "widgets/Label.h"

#include <algorithm>
#include <array>
#include <string_view>

// A control of the application's own: five stars, as many filled as the rating.
class TStarRating : public TCustomControl {
    FW_CLASS(TStarRating, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    int Stars() const { return FStars; }
    void SetStars(int value) { FStars = std::clamp(value, 0, 5), Invalidate(); }

protected:
    void Paint() override {
        for (int i = 0; i < 5; ++i) {
            Canvas()->Brush()->SetColor(i < FStars ? clYellow : clSilver);
            Canvas()->Ellipse(i * 20 + 2, 2, i * 20 + 18, 18);
        }
    }
    int FStars = 3;
};
FW_PUBLISH(TStarRating) {
    p.Property("Stars", &TStarRating::Stars, &TStarRating::SetStars).Default(3);
}
FW_STREAMABLE(TStarRating);

// A named control of class T on a form.
template <class T> T* Add(TForm* form, const std::string& name, int left, int top, int width) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(left, top, width, 25);
    return control;
}

// The form the users redesign; its own published property shows in the inspector and is saved with it.
class TOrderForm : public TForm {
    FW_CLASS(TOrderForm, TForm)
public:
    explicit TOrderForm(TComponent* owner) : TForm(owner) {
        SetName("OrderForm"), SetCaption("Order"), SetBounds(300, 60, 320, 160);
        Add<TLabel>(this, "CustomerLabel", 16, 16, 120)->SetCaption("Customer:");
        Add<TStarRating>(this, "Rating", 16, 48, 100);
    }
    std::string Customer() const { return FCustomer; }
    void SetCustomer(std::string value) { FCustomer = std::move(value); }

private:
    std::string FCustomer = "Jane Doe";
};
FW_PUBLISH(TOrderForm) {
    p.Property("Customer", &TOrderForm::Customer, &TOrderForm::SetCustomer);
}

// The main window: three buttons and the Object Inspector, which owns the designer.
class THostForm : public TForm {
    FW_CLASS(THostForm, TForm)
public:
    explicit THostForm(TComponent* owner) : TForm(owner) {
        SetCaption("Formwright example"), SetBounds(20, 60, 240, 80);
        const TNotifyEvent handlers[] = {TNotifyEvent::Bind<&THostForm::EditClick>(this),
                                         TNotifyEvent::Bind<&THostForm::SaveClick>(this),
                                         TNotifyEvent::Bind<&THostForm::LoadClick>(this)};
        for (int i = 0; i < 3; ++i) {
            auto* button = Add<TButton>(this, std::string("Button") + "ESL"[i], 8 + i * 76, 24, 70);
            button->SetCaption(std::array{"Edit", "Save", "Load"}[i]), button->OnClick = handlers[i];
        }
        Inspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
        Designer = static_cast<TFormwright*>(Inspector->OwnedDesigner());
    }
    void EditClick(TObject*) { // a second press ends designing
        Inspector->Show(), Order->Show();
        Designer->SetRoot(Designer->Root() ? nullptr : Order);
    }
    void SaveClick(TObject*) { SaveRootToTextFile(Designer, "order-form.txt"); }
    void LoadClick(TObject*) { LoadRootFromTextFile(Designer, "order-form.txt"); }

    TObjectInspector* Inspector;
    TFormwright* Designer;
    TOrderForm* Order = new TOrderForm(this);
};
FW_PUBLISH(THostForm) {
}

int main(int argc, char** argv) {
    Application->Initialize();
    RegisterStreamableClasses(); // the framework's controls and TStarRating
    auto* host = static_cast<THostForm*>(Application->CreateForm(THostForm::StaticClass()));
    host->Show();
    if (argc < 2 || std::string_view(argv[1]) != "--self-test") return Application->Run(), 0;
    host->EditClick(host);
    host->Order->FindComponent("Rating")->SetName("Stars"); // as the inspector's Name row does
    host->SaveClick(host);
    host->Order->FindComponent("Stars")->SetName("Changed"); // a change that the load takes back
    host->LoadClick(host);
    const bool loaded = host->Order->FindComponent("Stars") && !host->Order->FindComponent("Changed");
    host->EditClick(host);
    return loaded && !host->Designer->Root() ? 0 : 1;
}
