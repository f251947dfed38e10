// Where the program looks for its own data, whatever prefix it was installed under.
#include "platform/DataDirs.h"

#include <gtest/gtest.h>

#include <map>

namespace {

lorvanel::EnvironmentLookup environment(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
        const auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
}

} // namespace

TEST(DataDirs, BesideTheProgramThenItsPrefixThenTheXdgDataDirs) {
    struct Case {
        const char* exeDir;
        std::map<std::string, std::string> env;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"/opt/lv/bin",
         {},
         {"/opt/lv/bin/", "/opt/lv/share/lorvanel/", "/usr/local/share/lorvanel/",
          "/usr/share/lorvanel/"}},
        // An installation under /usr is named once; relative and empty entries are skipped.
        {"/usr/bin/",
         {{"XDG_DATA_DIRS", "/usr/share/:rel/share::/srv/data"}},
         {"/usr/bin/", "/usr/share/lorvanel/", "/srv/data/lorvanel/"}},
        {"/home/u/src/build",
         {{"XDG_DATA_DIRS", ""}},
         {"/home/u/src/build/", "/home/u/src/share/lorvanel/", "/usr/local/share/lorvanel/",
          "/usr/share/lorvanel/"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lorvanel::programDataDirectories(c.exeDir, environment(c.env)), c.expected)
            << c.exeDir;
}
