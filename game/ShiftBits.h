// ShiftBits.h: the modifier bits that mouse and button handlers receive.
#pragma once

// Shift and Control as held during the event, and the flag of a double
// click's second press.
enum ShiftBits : int { ShiftKey = 1, ControlKey = 4, DoubleClick = 64 };
