#pragma once
// A message of the command line in both its languages. The desktop program
// speaks Japanese only and never changes the language; the command line picks
// English or Japanese from the locale or --lang.

namespace tw {

enum Language { LANGUAGE_JA, LANGUAGE_EN };

// The language in force: Japanese until set_language says otherwise.
Language language();
void set_language(Language language);

struct Text {
    const char* ja;
    const char* en;
    const char* get() const { return language() == LANGUAGE_EN ? en : ja; }
    operator const char*() const { return get(); }
};

}  // namespace tw
