#pragma once
#include "base/Text.h"

namespace vantorel {

// The small picture beside each "打开图片" button, a PNG file built into the program.
const Bytes& DecorationPicture();

}  // namespace vantorel
