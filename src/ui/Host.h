#pragma once
// What the logic of the windows asks of its surroundings: message boxes, file
// dialogs, showing and hiding windows, processing pending events and ending the
// program. The Qt front end, the console (batch) and the tests each provide one.
#include <optional>
#include <string>
#include <string_view>

namespace tabulizer::ui {

class Window;

enum class Buttons { Ok, YesNo };
enum class Icon { Question, Information, Critical };
enum class Answer { Ok, Yes, No };

// A font as the font dialog offers it: the size as the user chose it (it may hold
// a fraction, such as 10.5 points).
struct FontChoice {
    std::string Name;  // UTF-8
    double Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool operator==(const FontChoice&) const = default;
};

// Ending the program unwinds to main() (or the front end's event dispatch), which
// turns it into the exit status. Nothing below main() calls exit().
struct ProgramExit {
    int status;
};

class Host {
public:
    virtual ~Host() = default;

    virtual Answer MessageBox(std::string_view text, Buttons buttons, Icon icon = Icon::Question) = 0;
    // The chosen path (UTF-8), or empty when cancelled. `filter` is "Описание|*.ext" pairs
    // joined by "|"; one pair may list several patterns separated by ";"
    // ("Файл (*.a *.b)|*.a;*.b"). An empty filter offers all files.
    virtual std::string OpenFileDialog(std::string_view title, std::string_view filter) = 0;
    virtual std::string SaveFileDialog(std::string_view title, std::string_view filter) = 0;

    // The font dialog for screen fonts, opened on `initial`; nullopt when cancelled.
    virtual std::optional<FontChoice> FontDialog(const FontChoice& initial) = 0;

    // Show never waits: a window shown while another is open (help, options) stands
    // beside it, not modal, until it is hidden or unloaded.
    virtual void Show(Window& window) = 0;
    virtual void Hide(Window& window) = 0;
    virtual void Unload(Window& window) = 0;
    // Run pending window events (the cancel button of a long conversion).
    virtual void ProcessEvents() = 0;
    // Progress of a long conversion, for hosts that show it elsewhere than in the window.
    virtual void Progress(int rows, int sheets) { (void)rows; (void)sheets; }
    // What exactly failed behind the message just shown (a path and the system's
    // reason). Batch mode prints it on a line of its own under the message; the
    // windows show only the message itself.
    virtual void Explain(std::string_view detail) { (void)detail; }
    // Hand a finished workbook to the desktop's spreadsheet application.
    virtual bool OpenInDesktop(const std::string& path) = 0;

    [[noreturn]] void EndProgram(int status) { throw ProgramExit{status}; }
};

}  // namespace tabulizer::ui
