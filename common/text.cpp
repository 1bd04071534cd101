#include "common/text.h"

namespace tw {
namespace {
Language g_language = LANGUAGE_JA;
}

Language language() {
    return g_language;
}
void set_language(Language language) {
    g_language = language;
}

}  // namespace tw
