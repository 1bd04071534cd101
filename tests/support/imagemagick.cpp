#include "support/imagemagick.h"

#include <cstdio>
#include <filesystem>

namespace tw::test {
namespace {

std::vector<uint8_t> run(const std::string& cmd) {
    std::vector<uint8_t> out;
#ifndef _WIN32
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    uint8_t buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
    pclose(p);
#else
    (void)cmd;
#endif
    return out;
}

}  // namespace

const char* imagemagick() {
#ifndef _WIN32
    for (const char* p : {"/usr/bin/convert-im6.q16", "/usr/bin/magick", "/usr/bin/convert"})
        if (std::filesystem::exists(p)) return p;
#endif
    return nullptr;
}

std::vector<uint8_t> decode_rgb(const std::string& file) {
    return run(std::string(imagemagick()) + " '" + file + "' -depth 8 rgb:-");
}

std::vector<uint8_t> decode_rgba(const std::string& file) {
    return run(std::string(imagemagick()) + " '" + file + "' -depth 8 rgba:-");
}

std::string image_size(const std::string& file) {
    auto out = run(std::string(imagemagick()) + " '" + file + "' -format '%w %h' info:-");
    return std::string(out.begin(), out.end());
}

}  // namespace tw::test
