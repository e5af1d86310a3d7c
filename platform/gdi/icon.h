// An icon as Windows draws it: the AND mask clears the pixels the icon covers (mask
// black) and keeps the rest (mask white); the colour image is then XORed over them.
#pragma once

#include "gdi/bitmap.h"

namespace platform::gdi {

struct Icon {
    Bitmap color;
    Bitmap mask;
};

}  // namespace platform::gdi
