#include "CustomObjectInspector.h"

FW_PUBLISH(TCustomObjectInspector) {
}

TCustomObjectInspector::TCustomObjectInspector(TComponent* owner) : TForm(owner) {
}

void TCustomObjectInspector::DropPendingEdit() {
}
