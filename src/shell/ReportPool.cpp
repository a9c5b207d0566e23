#include "shell/ReportPool.h"

#include "shell/ChildSignals.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <map>
#include <thread>

#include "conversion/spreadsheet/DeflatePool.h"

namespace tabulizer {
namespace {

struct Child {
    std::size_t report;  // index in call.reports
    std::FILE* messages; // the child's standard error
};

std::string SelfPath() {
    std::string path(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return n > 0 ? path.substr(0, static_cast<std::size_t>(n)) : std::string("tabulizer");
}

std::vector<std::string> ChildArguments(const ReportsCall& call, const std::string& self, const std::string& report) {
    std::vector<std::string> args = {self, "--project", call.project, "--output", call.OutputFor(report)};
    if (call.flat) args.push_back("--flat");
    if (call.csv) args.push_back("--csv");
    if (call.csvExcel) args.push_back("--csv-excel");
    args.push_back("--");  // a report whose name begins with "-" is still a report
    args.push_back(report);
    return args;
}

// Starts the child with its standard error going to `messages`; -1 when it cannot start.
pid_t Start(const std::vector<std::string>& args, std::FILE* messages, ChildSignals& signals) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_t pid = signals.Fork();
    if (pid == 0) {
        dup2(fileno(messages), STDERR_FILENO);
        execv(argv[0], argv.data());
        std::fprintf(stderr, "не удалось запустить %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    return pid;
}

std::string ReadAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return text;
}

// A file for a child's messages that no later child inherits.
std::FILE* MessageFile() {
    std::FILE* file = std::tmpfile();
    if (file) ::fcntl(fileno(file), F_SETFD, FD_CLOEXEC);
    return file;
}

// The progress line on a terminal: files done out of all.
class ProgressLine {
public:
    ProgressLine(std::FILE* err, std::size_t total) : err_(err), total_(total), terminal_(isatty(fileno(err)) == 1) {}
    void Show(std::size_t done) {
        if (!terminal_) return;
        std::fprintf(err_, "\r\033[KОбработано файлов: %zu из %zu", done, total_);
        std::fflush(err_);
        shown_ = true;
    }
    // Before any other text: the progress line is cleared.
    void Clear() {
        if (!shown_) return;
        std::fputs("\r\033[K", err_);
        shown_ = false;
    }

private:
    std::FILE* err_;
    std::size_t total_;
    bool terminal_;
    bool shown_ = false;
};

std::string FailureText(const std::string& report, int status, const std::string& messages) {
    if (!messages.empty()) return messages.back() == '\n' ? messages : messages + "\n";
    if (WIFSIGNALED(status))
        return report + ": преобразование прервано сигналом " + std::to_string(WTERMSIG(status)) + "\n";
    return report + ": преобразование не удалось (код завершения " + std::to_string(WEXITSTATUS(status)) + ")\n";
}

// Reports converted side by side share the cores: each child deflates on its share
// of them (at least one thread) instead of each taking them all.
void ShareCores(std::size_t children) {
    const int share = std::max(1, sheet::DeflateThreads() / static_cast<int>(std::max<std::size_t>(children, 1)));
    setenv(sheet::kThreadsVariable, std::to_string(share).c_str(), 1);
}

}  // namespace

int ConvertInChildren(const ReportsCall& call, std::FILE* err) {
    const std::string self = SelfPath();
    const std::size_t total = call.reports.size();
    const std::size_t jobs = call.jobs > 0 ? static_cast<std::size_t>(call.jobs)
                                           : std::clamp(std::thread::hardware_concurrency(), 1u, 256u);
    ShareCores(std::min(jobs, total));
    ChildSignals signals;
    std::map<pid_t, Child> running;
    std::vector<bool> failed(total, false);
    std::size_t next = 0, done = 0;
    ProgressLine progress(err, total);
    auto fail = [&](std::size_t report, const std::string& text) {
        failed[report] = true;
        progress.Clear();
        std::fputs(text.c_str(), err);
    };
    // A signal that ends the run starts no more children; those running get it too.
    while (!running.empty() || (next < total && !signals.Caught())) {
        while (running.size() < jobs && next < total && !signals.Caught()) {
            std::size_t report = next++;
            std::FILE* messages = MessageFile();
            pid_t pid = messages ? Start(ChildArguments(call, self, call.reports[report]), messages, signals) : -1;
            if (pid > 0) {
                running[pid] = {report, messages};
                continue;
            }
            if (messages) std::fclose(messages);
            fail(report, call.reports[report] + ": не удалось запустить преобразование: " + std::strerror(errno) + "\n");
            progress.Show(++done);
        }
        int status = 0;
        pid_t pid = waitpid(-1, &status, 0);
        if (pid < 0) {
            if (errno == EINTR) continue;
            break;  // no child is left to wait for
        }
        signals.Ended(pid);
        auto it = running.find(pid);
        if (it == running.end()) continue;
        Child child = it->second;
        running.erase(it);
        std::string messages = ReadAll(child.messages);
        std::fclose(child.messages);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail(child.report, FailureText(call.reports[child.report], status, messages));
        else if (!messages.empty()) {
            progress.Clear();
            std::fputs(messages.c_str(), err);
        }
        progress.Show(++done);
    }
    // Only when waiting itself failed: whatever has not ended counts as not converted.
    for (auto& [pid, child] : running) {
        failed[child.report] = true;
        std::fclose(child.messages);
    }
    for (std::size_t i = next; i < total; ++i) failed[i] = true;
    progress.Clear();
    std::size_t saved = 0;
    for (bool f : failed) saved += f ? 0 : 1;
    std::fprintf(err, "Преобразовано %zu из %zu\n", saved, total);
    if (saved < total) {
        std::fputs("Не преобразованы:\n", err);
        for (std::size_t i = 0; i < total; ++i)
            if (failed[i]) std::fprintf(err, "  %s\n", call.reports[i].c_str());
    }
    std::fflush(err);
    if (signals.Caught()) signals.EndByCaught();
    return saved == total ? 0 : 1;
}

}  // namespace tabulizer
