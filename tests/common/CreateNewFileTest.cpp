// Writing a file that must be new: a file that takes the name while the new one
// is being written is never replaced, and nothing temporary is left either way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "../support/Files.h"
#include "../support/TempDir.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

TEST(CreateNewFileTest, NameTakenMeanwhileIsKept) {
    TempDir temp("tabulizer-new-file");
    const fs::path dir = temp.path();
    auto takeName = [](const fs::path& target) {
        return [target](const std::string&) {
            std::ofstream(target) << "other";
            return true;
        };
    };
    auto linkName = [](const fs::path& target) {
        return [target](const std::string&) {
            fs::create_symlink("nowhere", target);
            return true;
        };
    };
    struct Case {
        const char* name;
        fs::path target;
        std::function<bool(const std::string&)> meanwhile;
        int code;             // 0: written
        const char* content;  // what the target holds afterwards; nullptr: nothing
        const char* detail;   // the end of the failure's detail line
    } cases[] = {
        {"new", dir / "new.ini", {}, 0, "project", ""},
        {"taken meanwhile", dir / "raced.ini", takeName(dir / "raced.ini"), kFileExists, "other", "файл уже существует"},
        {"dangling link meanwhile", dir / "link.ini", linkName(dir / "link.ini"), kFileExists, nullptr,
         "файл уже существует"},
        {"no folder", dir / "нет" / "p.ini", {}, kPathAccessError, nullptr, "Нет такого каталога"},
        {"name too long", dir / (std::string(300, 'x') + ".ini"), {}, kCannotWrite, nullptr,
         "Слишком длинное имя файла"},
    };
    for (const Case& c : cases) {
        int code = 0;
        std::string detail;
        try {
            CreateNewFile(c.target.string(), "project", c.meanwhile);
        } catch (const Failure& failure) {
            code = failure.code();
            detail = failure.detail();
        }
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_TRUE(detail.ends_with(c.detail)) << c.name << ": " << detail;
        std::error_code unreachable;
        if (c.content) {
            EXPECT_EQ(ReadFile(c.target), c.content) << c.name;
        } else {
            EXPECT_FALSE(fs::is_regular_file(c.target, unreachable)) << c.name;
        }
    }
    // Only the new file, the one that took its name and the dangling link remain.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);
}

}  // namespace
}  // namespace tabulizer::test
