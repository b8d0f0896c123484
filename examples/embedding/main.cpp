// An application that lets its users redesign its order form while it runs: "Edit" hands the form to the
// designer with the Object Inspector, "Save" and "Load" keep the design in order-form.txt.
// With --self-test it designs, saves and loads once without a person and exits 0 when all went well.
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
#include <cstring>

// A control of the application's own: five stars, as many filled as the rating.
class TStarRating : public TCustomControl {
    FW_CLASS(TStarRating, TCustomControl)
public:
    explicit TStarRating(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 100, 20); }
    int Stars() const { return FStars; }
    void SetStars(int value) { FStars = std::clamp(value, 0, 5); Invalidate(); }

protected:
    void Paint() override {
        for (int i = 0; i < 5; ++i) {
            Canvas()->Brush()->SetColor(i < FStars ? clYellow : clSilver);
            Canvas()->Ellipse(i * 20 + 2, 2, i * 20 + 18, 18);
        }
    }

private:
    int FStars = 3;
};
FW_PUBLISH(TStarRating) { p.Property("Stars", &TStarRating::Stars, &TStarRating::SetStars).Default(3); }
FW_STREAMABLE(TStarRating);

// The form the users redesign; its own published property shows in the inspector and is saved.
class TOrderForm : public TForm {
    FW_CLASS(TOrderForm, TForm)
public:
    explicit TOrderForm(TComponent* owner) : TForm(owner) {
        SetName("OrderForm");
        SetCaption("Order");
        SetBounds(300, 60, 320, 160);
        auto* label = new TLabel(this);
        label->SetName("CustomerLabel");
        label->SetParent(this);
        label->SetBounds(16, 16, 120, 16);
        auto* rating = new TStarRating(this);
        rating->SetName("Rating");
        rating->SetParent(this);
        rating->SetBounds(16, 48, 100, 20);
    }
    const std::string& Customer() const { return FCustomer; }
    void SetCustomer(const std::string& value) { FCustomer = value; }

private:
    std::string FCustomer = "Jane Doe";
};
FW_PUBLISH(TOrderForm) { p.Property("Customer", &TOrderForm::Customer, &TOrderForm::SetCustomer); }

// The application's main window: three buttons and the Object Inspector, which owns the designer.
class THostForm : public TForm {
    FW_CLASS(THostForm, TForm)
public:
    explicit THostForm(TComponent* owner) : TForm(owner) {
        SetCaption("Formwright example");
        SetBounds(20, 60, 240, 80);
        const char* captions[] = {"Edit", "Save", "Load"};
        const TNotifyEvent handlers[] = {TNotifyEvent::Bind<&THostForm::EditClick>(this),
                                         TNotifyEvent::Bind<&THostForm::SaveClick>(this),
                                         TNotifyEvent::Bind<&THostForm::LoadClick>(this)};
        for (int i = 0; i < 3; ++i) {
            auto* button = new TButton(this);
            button->SetParent(this);
            button->SetBounds(8 + i * 76, 24, 70, 25);
            button->SetCaption(captions[i]);
            button->OnClick = handlers[i];
        }
        Inspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
        Designer = static_cast<TFormwright*>(Inspector->OwnedDesigner());
        Order = new TOrderForm(this);
    }
    void EditClick(TObject*) {
        Inspector->Show();
        Order->Show();
        Designer->SetRoot(Designer->Root() ? nullptr : Order); // "Edit" again ends designing
    }
    void SaveClick(TObject*) { SaveRootToTextFile(Designer, "order-form.txt"); }
    void LoadClick(TObject*) { LoadRootFromTextFile(Designer, "order-form.txt"); }

    TObjectInspector* Inspector;
    TFormwright* Designer;
    TOrderForm* Order;
};
FW_PUBLISH(THostForm) {}

int main(int argc, char** argv) {
    Application->Initialize();
    RegisterStreamableClasses();
    auto* host = static_cast<THostForm*>(Application->CreateForm(THostForm::StaticClass()));
    host->Show();
    if (argc < 2 || std::strcmp(argv[1], "--self-test") != 0) {
        Application->Run();
        return 0;
    }
    host->EditClick(host);                                   // design the order form
    host->Order->FindComponent("Rating")->SetName("Stars");  // as the inspector's Name row would
    host->SaveClick(host);
    host->Order->FindComponent("Stars")->SetName("Changed"); // a change that the load undoes
    host->LoadClick(host);
    const bool loaded = host->Order->FindComponent("Stars") && !host->Order->FindComponent("Changed");
    host->EditClick(host); // designing ends
    return loaded && !host->Designer->Root() ? 0 : 1;
}
