#include "graphics/GraphicsObject.h"

FW_PUBLISH(TGraphicsObject) {
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}
