#pragma once
// The reason for the last failed conversion.
//
// Converters return plain success flags. Where a failure is decided they
// also leave a one-line reason here, which the command line prints; the
// desktop program shows only the batch summary and never reads it. Beside the
// text the reason's Text itself is kept, so that a caller (and a test) can ask
// which reason it was without reading the words, in whichever language.

#include <new>
#include <string>
#include <type_traits>

#include "common/fixed_text.h"
#include "common/text.h"

namespace tw {

// Records `reason` formatted with args (printf style) as the last failure.
// (The format is the Text in the language in force, so the compiler cannot check it.)
void record_failure(const Text* reason, bool keep_earlier, const char* fmt, ...);

template <typename... Args>
void record_failure(const Text& reason, bool keep_earlier, Args... args) {
    // A Text argument would be passed as a struct where %s wants its characters.
    static_assert((!std::is_same_v<Args, Text> && ...), "pass text.get()");
    if constexpr (sizeof...(Args) == 0)
        record_failure(&reason, keep_earlier, "%s", reason.get());  // the words as they stand
    else
        record_failure(&reason, keep_earlier, reason.get(), args...);
}

template <typename... Args>
void set_failure(const Text& reason, Args... args) {
    record_failure(reason, false, args...);
}
// Keeps an earlier, more specific reason when one is already recorded.
template <typename... Args>
void set_failure_if_none(const Text& reason, Args... args) {
    record_failure(reason, true, args...);
}

void clear_failure();

// A failure kept aside while other work runs (a report written after the
// conversion failed) and put back after it.
struct SavedFailure {
    std::string text;
    const Text* reason = nullptr;
};
SavedFailure save_failure();
void restore_failure(const SavedFailure& saved);
const char* last_failure();  // "" when nothing failed since the last clear
// The Text whose words last_failure() holds; nullptr when nothing failed since
// the last clear.
const Text* last_failure_reason();

// Memory that cannot be had throws std::bad_alloc wherever it is asked for; the
// entry of each conversion (a file of a batch, a package, a map, a render) runs
// its work through here, so that it becomes a failure with its reason.
void set_out_of_memory();
template <typename Work>
auto guard_memory(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        set_out_of_memory();
        return {};
    }
}

}  // namespace tw
