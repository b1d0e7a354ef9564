#pragma once

#include "CString.h"

// Checks of the printf formats that show a number. A display format comes from
// dialogs and stored archives, so it is checked before it reaches printf: a
// format that asked for a string, a pointer or a second argument would read
// memory that was never passed.

// True when the format holds exactly one conversion of one double: '%', any of
// the flags "-+ #0", a width of at most three digits, a '.' and a precision of
// at most three digits, an optional 'l', then one of "fFeEgGaA". Around it any
// text, with "%%" for a per cent sign. False for longer texts than 64
// characters.
bool IsSingleFloatFormat(const CString& format);

// The format when it is a single float format, else the default "%5.1f".
CString SafeDisplayFormat(const CString& format);

// The value in the format, or in "%5.1f" when the format is not a single
// float format.
CString FormatDisplayValue(const CString& format, double value);
