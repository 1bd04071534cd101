#pragma once
// ImageMagick as an independent image decoder (POSIX only; absent on Windows).

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

// The ImageMagick convert program, or nullptr when it is not installed.
const char* imagemagick();
// The image as 8-bit RGB triples, top row first; empty on failure.
std::vector<uint8_t> decode_rgb(const std::string& file);
// The same as 8-bit RGBA quadruples.
std::vector<uint8_t> decode_rgba(const std::string& file);
// "width height" as ImageMagick reads them.
std::string image_size(const std::string& file);

}  // namespace tw::test
