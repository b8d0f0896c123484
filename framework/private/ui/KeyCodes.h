// Private to the framework: conversions between Qt keys and virtual-key codes.
#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>

uint16_t VirtualKeyFromQt(int qtKey);
int QtKeyFromVirtualKey(uint16_t virtualKey);
