#pragma once
// Bounded writes into the fixed character buffers of our records.
//
// Paths and names live in 260-byte fields. Every write into one goes
// through these helpers: a text that does not fit leaves the destination
// untouched and returns false, so nothing overflows and nothing is cut
// without the caller knowing.

#include <cstddef>
#include <string>
#include <string_view>

#if defined(__MINGW32__)
#define TW_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define TW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif

namespace tw {

// Copies src and its terminator into dst[cap]. False (dst unchanged) when it does not fit.
bool copy_text(char* dst, size_t cap, std::string_view src);

// Appends src to the text already in dst[cap]. False (dst unchanged) when it does not fit.
bool append_text(char* dst, size_t cap, std::string_view src);

// printf into dst[cap]. False (dst unchanged) when the result does not fit.
bool format_text(char* dst, size_t cap, const char* fmt, ...) TW_PRINTF(3, 4);

// printf into a string of whatever length the result has: for messages, which
// live in no fixed buffer.
std::string say(const char* fmt, ...) TW_PRINTF(1, 2);

// Length of the text in a fixed buffer, never reading past cap.
size_t text_length(const char* src, size_t cap);

}  // namespace tw
