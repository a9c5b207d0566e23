#pragma once
// The context help window: shows the topic of the editor's current step from the
// help file, in one label sized to its text. Not modal; Esc, a click on the text or
// the frame's close button hide it, and the file is read once while it is loaded.
//
// The editor owns one instance, made at the first press of "Справка":
//   ShowHelp()     on every press of "Справка" (reads the file the first time);
//   StepChanged()  after every change of step: a shown window follows the editor;
//   UnloadHelp()   when the editor finishes.
#include <filesystem>
#include <functional>
#include <string>

#include "common/Int16.h"
#include "description/DocumentDescription.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class frmHelp : public ui::Window {
public:
    // Where the help file is; empty when there is none. Tests give their own.
    using HelpLocator = std::function<std::filesystem::path()>;

    frmHelp(const RunState& run, ui::Host& host, HelpLocator locate);
    explicit frmHelp(const RunState& run, ui::Host& host);

    void ShowHelp();
    void StepChanged();
    void UnloadHelp();

    void Form_Load();
    // Shows the topic of the editor's step; hides the window when there is none.
    void Form_Activate();
    void Form_KeyPress(int keyAscii);
    void lbHelp_Click();

    static constexpr int kEscape = 27;

    ui::Control lbHelp{*this, ui::ControlKind::Label, "lbHelp"};

    std::string HelpText;  // CP1251, as read, with its line breaks blanked
    bool HelpLoaded = false;
    i16 ShownStep = 0;  // the step (1..15) whose topic is shown; 0 = none yet
    // The label's font size in points, 0 for the front end's own; 8 on old systems.
    int lbHelpFontSize = 0;

private:
    bool ShowTopic();
    void Fail(std::string_view message);

    const RunState& run_;
    ui::Host& host_;
    HelpLocator locate_;
    bool loaded_ = false;
};

}  // namespace tabulizer
