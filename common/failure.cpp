#include "common/failure.h"

#include <cstdarg>
#include <cstdio>

#include "resources/texts.h"

namespace tw {
namespace {
char g_reason[512];
}

void set_failure(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(g_reason, sizeof g_reason, fmt, args);
    va_end(args);
}

void set_failure_if_none(const char* fmt, ...) {
    if (g_reason[0] != '\0') return;
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(g_reason, sizeof g_reason, fmt, args);
    va_end(args);
}

void clear_failure() {
    g_reason[0] = '\0';
}

const char* last_failure() {
    return g_reason;
}

void set_out_of_memory() {
    set_failure("%s", kReasonOutOfMemory.get());
}

}  // namespace tw
