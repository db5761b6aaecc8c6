#pragma once

// The PNG codec the converters are handed: libspng's where the build has it, none otherwise (the
// Windows cross build), in which case PNG files are refused with a plain reason.

#include "converters/pngcodec.h"

namespace skarde {

const PngCodec* pngSupport();

} // namespace skarde
