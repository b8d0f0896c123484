#include "ComponentList.h"

FW_PUBLISH(TComponentList) {
}
