#include "common/failure.h"

#include <cstdarg>
#include <cstdio>

#include "resources/texts.h"

namespace tw {
namespace {
char g_text[512];
const Text* g_reason = nullptr;
}  // namespace

void record_failure(const Text* reason, bool keep_earlier, const char* fmt, ...) {
    if (keep_earlier && g_text[0] != '\0') return;
    va_list args;
    va_start(args, fmt);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(g_text, sizeof g_text, fmt, args);
#pragma GCC diagnostic pop
    va_end(args);
    g_reason = reason;
}

void clear_failure() {
    g_text[0] = '\0';
    g_reason = nullptr;
}

SavedFailure save_failure() {
    return SavedFailure{g_text, g_reason};
}

void restore_failure(const SavedFailure& saved) {
    record_failure(saved.reason, false, "%s", saved.text.c_str());
}

const char* last_failure() {
    return g_text;
}

const Text* last_failure_reason() {
    return g_reason;
}

void set_out_of_memory() {
    set_failure(kReasonOutOfMemory);
}

}  // namespace tw
