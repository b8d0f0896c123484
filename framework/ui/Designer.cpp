#include "ui/Designer.h"

#include "rtti/Publisher.h"

FW_PUBLISH(TDesigner) {
}

FW_PUBLISH(TFormDesigner) {
}
