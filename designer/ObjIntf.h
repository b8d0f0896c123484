// ObjIntf: the designer interface, the component list, the property editors, the editor registry and the
// component editors. The one header that other modules include.
#pragma once

#include "ClassEditor.h"
#include "ComponentEditors.h"
#include "ComponentList.h"
#include "CustomDesigner.h"
#include "CustomObjectInspector.h"
#include "EditorRegistry.h"
#include "MethodEditor.h"
#include "PropertyEditor.h"
#include "SetEditors.h"
#include "SimpleEditors.h"
#include "SpecialisedEditors.h"
