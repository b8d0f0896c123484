// Published date and time types. All three hold days since 1899-12-30 with the time of day as the
// fraction (see SysUtils.h); their distinct type records let the designer show and read each as a date,
// a time, or both.
#pragma once

#include "rtti/TypeInfo.h"

#pragma GCC visibility push(default)

FW_FLOAT_TYPE(TDateTime, double);
FW_FLOAT_TYPE(TDate, double);
FW_FLOAT_TYPE(TTime, double);

#pragma GCC visibility pop
