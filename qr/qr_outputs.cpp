#include "qr/qr_outputs.h"

#include <cstdio>

#include "common/failure.h"
#include "platform/files.h"
#include "qr/bilevel.h"
#include "qr/qr_page.h"
#include "qr/qr_sheet.h"
#include "qr/qr_symbols.h"
#include "resources/texts.h"

namespace tw {
namespace {

struct OutputFileBytes {
    std::string path;
    std::vector<uint8_t> bytes;
};

bool add_png(const std::string& path, const Bilevel& picture, std::vector<OutputFileBytes>& out) {
    out.push_back({path, {}});
    if (encode_bilevel_png(picture, out.back().bytes)) return true;
    set_failure(kReasonQrPicture, path.c_str());
    return false;
}

}  // namespace

std::string qr_code_file_suffix(size_t k, size_t count) {
    char text[32];
    std::snprintf(text, sizeof text, "_qr%0*u.png", count >= 100 ? 3 : 2, static_cast<unsigned>(k));
    return text;
}

bool write_qr_files(const std::string& prefix, std::string_view name, std::string_view type,
                    const std::vector<std::vector<uint8_t>>& codes, uint32_t scale) {
    std::vector<QrSymbol> symbols;
    if (!encode_qr_symbols(codes, symbols)) return false;
    std::vector<OutputFileBytes> files;
    for (size_t i = 0; i < symbols.size(); ++i)
        if (!add_png(prefix + qr_code_file_suffix(i + 1, symbols.size()),
                     framed_symbol(symbols[i], scale), files))
            return false;
    const std::string title = std::string(type) + ": " + std::string(name);
    if (!add_png(prefix + "_qr.png", draw_qr_sheet(symbols, title, scale), files)) return false;
    std::string html;
    const std::string page = prefix + "_qr.html";
    if (!make_qr_page(symbols, name, type, html)) {
        set_failure(kReasonQrPicture, page.c_str());
        return false;
    }
    files.push_back({page, std::vector<uint8_t>(html.begin(), html.end())});
    for (const OutputFileBytes& file : files)
        if (!write_whole_file(file.path.c_str(), file.bytes.data(), file.bytes.size())) {
            set_failure(kReasonWriteOutput, file.path.c_str());
            return false;
        }
    return true;
}

}  // namespace tw
