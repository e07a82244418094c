// Writing a picture as a PNG file: 8-bit RGB, the image data in stored (uncompressed) deflate blocks,
// so no compression library is needed and every viewer reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace b2host {

// The bytes of a PNG file of `width` x `height` pixels; `pixels` holds them row by row from the top,
// each 0x00RRGGBB.
std::string EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace b2host
