// Wide text in the system code page, for the socket library's 8-bit interfaces.
#pragma once

#include <string>

#include <windows.h>

// The whole text converted, or an empty string for a null text or one the code page
// cannot convert. No caller gives a text an empty string would be a valid form of.
std::string NarrowText(LPCWSTR text);
