#pragma once
// The built program run from a test folder as a shell script would run it, with a
// temporary folder of its own ($TMPDIR) where the test can see whatever the run
// leaves behind; reports made of the example's pages; a small file system of its
// own when the test may mount one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Files.h"
#include "TempDir.h"

namespace tabulizer::test {

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt"}) std::filesystem::copy_file(std::filesystem::path(TABULIZER_EXAMPLES) / name, dir / name);
        std::filesystem::create_directories(tmp);
    }
    void TearDown() override {
        if (mounted_) std::system(("umount '" + mounted_->string() + "'").c_str());
    }

    // Runs `script` (bash, in the test folder, the program as "$T") with standard
    // error in `err`; the status is the script's (128 + N for a signal N).
    int Script(const std::string& script) {
        std::ofstream(dir / "run.sh") << "cd '" << dir.string() << "' || exit 99\nexport TMPDIR='" << tmp.string()
                                      << "'\nT='" TABULIZER_BINARY "'\n"
                                      << script << "\n";
        int raw = std::system(("bash '" + (dir / "run.sh").string() + "' 2>'" + (dir / "err").string() + "'").c_str());
        err = ReadFile(dir / "err");
        return WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    }

    // Starts the program with `arguments` (standard output into "out", standard
    // error into "err"), the ending signals at their defaults.
    pid_t Start(const std::vector<std::string>& arguments) {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.c_str()) != 0) _exit(99);
            setenv("TMPDIR", tmp.c_str(), 1);
            for (int s : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ}) signal(s, SIG_DFL);
            if (!freopen("out", "wb", stdout) || !freopen("err", "wb", stderr)) _exit(99);
            std::vector<char*> argv{const_cast<char*>(TABULIZER_BINARY)};
            for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }
    // The signal that ended `pid`, or 0 when it exited.
    static int EndingSignal(pid_t pid) {
        int status = 0;
        if (waitpid(pid, &status, 0) != pid) return -1;
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    // Waits up to 60 s for `condition`.
    static bool Await(const std::function<bool()>& condition) {
        for (int i = 0; i < 3000; ++i) {
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // `pages` pages of the example report (and its closing lines) under `name`; an
    // information line on each when `short` (title, cap, one line).
    void Report(const std::string& name, int pages, bool shortPages = false) {
        std::ifstream in(dir / "ved.txt", std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        std::string page;
        for (int i = 0; i < (shortPages ? 8 : 18); ++i) page += lines[i] + '\n';
        std::ofstream out(dir / name, std::ios::binary);
        for (int p = 0; p < pages; ++p) out << page;
        if (!shortPages) out << lines[48] << '\n' << lines[49] << '\n';
    }

    static std::set<std::string> Names(const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }

    // A 1 MB file system at `folder` (made here), or false when none can be mounted.
    bool MountSmall(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        if (geteuid() != 0 || std::system(("mount -t tmpfs -o size=1m tmpfs '" + folder.string() + "' 2>/dev/null").c_str()) != 0)
            return false;
        mounted_ = folder;
        return true;
    }

    TempDir temp{"tabulizer-run"};
    const std::filesystem::path& dir = temp.path();
    const std::filesystem::path tmp = dir / "tmp";
    std::string err;

private:
    std::optional<std::filesystem::path> mounted_;
};

}  // namespace tabulizer::test
