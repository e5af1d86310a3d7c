// The FileVersion text of the program's own version resource.
#pragma once

#include <string>

// Empty when the module has no version resource or no FileVersion in its block: the
// About box then shows no version rather than one that might be wrong.
std::u16string ReadVersionText();
