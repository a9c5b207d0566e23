#pragma once
// The Host of batch mode: no display, nobody to answer. Message boxes go to standard
// error, questions take their affirmative answer, dialogs are cancelled, windows are
// not drawn. Progress is shown on a terminal only, so that redirected runs stay silent.
#include <chrono>
#include <cstdio>

#include "ui/Host.h"

namespace tabulizer::ui {

class ConsoleHost : public Host {
public:
    // `err` receives the messages and the progress line (standard error by default).
    explicit ConsoleHost(std::FILE* err = stderr);
    ~ConsoleHost() override;

    Answer MessageBox(std::string_view text, Buttons buttons, Icon icon = Icon::Question) override;
    std::string OpenFileDialog(std::string_view title, std::string_view filter) override;
    std::string SaveFileDialog(std::string_view title, std::string_view filter) override;
    std::optional<FontChoice> FontDialog(const FontChoice& initial) override;
    void Show(Window& window) override;
    void Hide(Window& window) override;
    void Unload(Window& window) override;
    void ProcessEvents() override;
    void Progress(int rows, int sheets) override;
    void Explain(std::string_view detail) override;
    bool OpenInDesktop(const std::string& path) override;

private:
    void EndProgressLine();
    void WriteLine(std::string_view text);

    std::FILE* err_;
    bool terminal_;
    bool progressShown_ = false;  // the progress line waits for its newline
    std::chrono::steady_clock::time_point lastProgress_{};
};

}  // namespace tabulizer::ui
