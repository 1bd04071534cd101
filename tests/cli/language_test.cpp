#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

void set_env(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    if (value[0] == '\0')
        unsetenv(name);
    else
        setenv(name, value, 1);
#endif
}

TEST(Language, FromTheLocaleAndTheOption) {
    struct Case {
        const char *lc_all, *lc_messages, *lang;
        std::vector<std::string> args;
        Language want;
    } cases[] = {
        {"ja_JP.UTF-8", "C", "C", {"tilewright", "x.bmp"}, LANGUAGE_JA},
        {"", "en_US.UTF-8", "ja_JP.UTF-8", {"tilewright", "x.bmp"}, LANGUAGE_EN},
        {"", "", "ja_JP.UTF-8", {"tilewright", "x.bmp"}, LANGUAGE_JA},
        {"", "", "C.UTF-8", {"tilewright", "x.bmp"}, LANGUAGE_EN},
        {"", "", "C.UTF-8", {"tilewright", "--lang", "ja", "x.bmp"}, LANGUAGE_JA},
        {"ja_JP.UTF-8", "", "", {"tilewright", "map", "--lang=en", "x.bmp"}, LANGUAGE_EN},
    };
    for (const auto& c : cases) {
        set_env("LC_ALL", c.lc_all);
        set_env("LC_MESSAGES", c.lc_messages);
        set_env("LANG", c.lang);
        std::vector<std::string> args = c.args;
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int argc = static_cast<int>(args.size());
        std::string error;
        ASSERT_TRUE(cli::choose_language(cli::arrange_command_line(argv), argc, argv.data(), error))
            << error;
        EXPECT_EQ(language(), c.want) << c.lang;
    }
    set_env("LC_ALL", "");
    set_env("LANG", "C.UTF-8");
    std::vector<std::string> bad = {"tilewright", "--lang", "fr"};
    std::vector<char*> argv = {bad[0].data(), bad[1].data(), bad[2].data(), nullptr};
    std::string error;
    EXPECT_FALSE(cli::choose_language(cli::arrange_command_line(argv), 3, argv.data(), error));
    EXPECT_EQ(error, "--lang takes ja or en");  // in the language of the locale, English here
    set_language(LANGUAGE_JA);
}

TEST(Language, EnglishMessages) {
    test::TempDir tmp;
    set_language(LANGUAGE_EN);
    auto r = test::run(tmp.path(), cli::run_convert, {"missing.bmp"});
    auto usage = test::run(tmp.path(), cli::run_render, {"render", "-o", "x.gif"});
    set_language(LANGUAGE_JA);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("failed: missing.bmp: cannot open the file: "), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Converted: 0\nFailed: 1"), std::string::npos) << r.out;
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("-o needs a .png or .bmp file\nSee tilewright render --help"),
              std::string::npos)
        << usage.err;
}

}  // namespace
}  // namespace tw
