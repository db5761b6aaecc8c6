#include "pngsupport.h"

namespace skarde {

const PngCodec* pngSupport() {
    return nullptr;
}

} // namespace skarde
