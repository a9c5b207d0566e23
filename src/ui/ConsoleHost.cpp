#include "ui/ConsoleHost.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace tabulizer::ui {
namespace {

// Progress redraws at most five times a second: a conversion may report every row.
constexpr auto kProgressInterval = std::chrono::milliseconds(200);

}  // namespace

ConsoleHost::ConsoleHost(std::FILE* err) : err_(err), terminal_(isatty(fileno(err)) == 1) {}

ConsoleHost::~ConsoleHost() { EndProgressLine(); }

void ConsoleHost::EndProgressLine() {
    if (!progressShown_) return;
    std::fputc('\n', err_);
    std::fflush(err_);
    progressShown_ = false;
}

void ConsoleHost::WriteLine(std::string_view text) {
    EndProgressLine();
    std::fwrite(text.data(), 1, text.size(), err_);
    std::fputc('\n', err_);
    std::fflush(err_);
}

Answer ConsoleHost::MessageBox(std::string_view text, Buttons buttons, Icon) {
    WriteLine(text);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

void ConsoleHost::Explain(std::string_view detail) { WriteLine(detail); }

std::string ConsoleHost::OpenFileDialog(std::string_view, std::string_view) { return {}; }
std::string ConsoleHost::SaveFileDialog(std::string_view, std::string_view) { return {}; }
std::optional<FontChoice> ConsoleHost::FontDialog(const FontChoice&) { return std::nullopt; }
void ConsoleHost::Show(Window&) {}
void ConsoleHost::Hide(Window&) {}
void ConsoleHost::Unload(Window&) {}
void ConsoleHost::ProcessEvents() {}

void ConsoleHost::Progress(int rows, int sheets) {
    if (!terminal_) return;
    auto now = std::chrono::steady_clock::now();
    if (progressShown_ && now - lastProgress_ < kProgressInterval) return;
    lastProgress_ = now;
    std::fprintf(err_, "\rОбработано строк: %d, листов: %d", rows, sheets);
    std::fflush(err_);
    progressShown_ = true;
}

// Starts `xdg-open PATH` in a detached grandchild, so that no zombie is left and the
// program may end before the spreadsheet application does. A close-on-exec pipe tells
// whether the exec itself succeeded.
bool ConsoleHost::OpenInDesktop(const std::string& path) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (child == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int devnull = open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, STDIN_FILENO);
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
            }
            execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
            grandchild = -1;  // exec failed: report it like a failed fork
        }
        if (grandchild < 0) {
            int error = errno;
            ssize_t written = write(fds[1], &error, sizeof error);
            (void)written;
        }
        _exit(0);
    }
    close(fds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    int error = 0;
    ssize_t got;
    while ((got = read(fds[0], &error, sizeof error)) < 0 && errno == EINTR) {}
    close(fds[0]);
    return got == 0;
}

}  // namespace tabulizer::ui
