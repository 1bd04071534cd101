#include "qr/qr_page.h"

#include <cstdint>

#include "qr/bilevel.h"

namespace tw {
namespace {

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        const uint32_t v = uint32_t{bytes[i]} << 16 | (left > 1 ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (left > 2 ? bytes[i + 2] : 0);
        out += kDigits[v >> 18];
        out += kDigits[v >> 12 & 63];
        out += left > 1 ? kDigits[v >> 6 & 63] : '=';
        out += left > 2 ? kDigits[v & 63] : '=';
    }
    return out;
}

// On screen one code is shown, the others hidden; printed, every code is
// shown at a fixed size and none is split by a page break.
constexpr const char* kStyle = R"(<style>
html, body { margin: 0; background: #fff; color: #000; font-family: monospace; }
.code { display: none; }
.code p { margin: 0; font-size: 20px; line-height: 32px; text-align: center; white-space: pre; }
.code img { display: block; image-rendering: pixelated; }
@media screen {
  html, body { height: 100%; overflow: hidden; }
  .code.shown { display: block; }
  .code img { position: absolute; }
}
@media print {
  .code { display: block; break-inside: avoid; page-break-inside: avoid; margin: 0 0 10mm; }
  .code img { width: 80mm !important; height: 80mm !important; margin: 0 auto; }
}
</style>
)";

// Draws the code shown as large as the window allows at a whole number of
// device pixels a module, at whole device pixels from the corner.
constexpr const char* kScript = R"(<script>
"use strict";
(function () {
  var codes = document.getElementsByClassName("code"), n = codes.length, k = 1;
  function fit() {
    var code = codes[k - 1], img = code.getElementsByTagName("img")[0];
    var dpr = window.devicePixelRatio || 1, side = img.naturalWidth || img.width;
    var top = Math.ceil(code.getElementsByTagName("p")[0].offsetHeight * dpr);
    var w = Math.floor(window.innerWidth * dpr), h = Math.floor(window.innerHeight * dpr) - top;
    var size = Math.max(1, Math.floor(Math.min(w, h) / side)) * side;
    img.style.width = img.style.height = size / dpr + "px";
    img.style.left = Math.max(0, Math.floor((w - size) / 2)) / dpr + "px";
    img.style.top = top / dpr + "px";
  }
  function show(j) {
    k = ((j - 1) % n + n) % n + 1;
    for (var i = 0; i < n; ++i) codes[i].className = i === k - 1 ? "code shown" : "code";
    if (location.hash !== "#" + k) {
      try { history.replaceState(null, "", "#" + k); } catch (e) { location.replace("#" + k); }
    }
    fit();
  }
  function fromHash() {
    var j = parseInt(location.hash.slice(1), 10);
    show(j >= 1 && j <= n ? j : 1);
  }
  var next = { ArrowRight: 1, ArrowDown: 1, PageDown: 1, " ": 1, Enter: 1,
               ArrowLeft: -1, ArrowUp: -1, PageUp: -1, Backspace: -1 };
  addEventListener("keydown", function (e) {
    if (e.altKey || e.ctrlKey || e.metaKey || !next[e.key]) return;
    e.preventDefault();
    show(k + (e.shiftKey && e.key === " " ? -1 : next[e.key]));
  });
  addEventListener("click", function (e) { show(e.clientX < innerWidth / 2 ? k - 1 : k + 1); });
  addEventListener("hashchange", fromHash);
  addEventListener("resize", fit);
  fromHash();
})();
</script>
)";

}  // namespace

std::string html_escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c >= 0x20 && c < 0x7F ? c : '?';  // the page is UTF-8
        }
    }
    return out;
}

bool make_qr_page(const std::vector<QrSymbol>& symbols, std::string_view name,
                  std::string_view type, std::string& html) {
    const std::string title = html_escape(name) + " (" + html_escape(type) + ")";
    const std::string count = std::to_string(symbols.size());
    html =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width\">\n"
        "<link rel=\"icon\" href=\"data:,\">\n<title>" +
        title + "</title>\n" + kStyle + "</head>\n<body>\n";
    std::vector<uint8_t> png;
    for (size_t i = 0; i < symbols.size(); ++i) {
        const Bilevel picture = framed_symbol(symbols[i], 1);
        if (!encode_bilevel_png(picture, png)) return false;
        const std::string k = std::to_string(i + 1), side = std::to_string(picture.width);
        html += "<div class=\"code\" id=\"c" + k + "\"><p>" + k + " / " + count + "  " +
                html_escape(name) + "  " + html_escape(type) + "</p><img alt=\"QR code " + k +
                " / " + count + "\" width=\"" + side + "\" height=\"" + side +
                "\" src=\"data:image/png;base64," + base64(png) + "\"></div>\n";
    }
    html += kScript;
    html += "</body>\n</html>\n";
    return true;
}

}  // namespace tw
