#include "help/frmHelp.h"

#include "common/Cp1251.h"
#include "help/HelpFile.h"
#include "help/HelpLocation.h"

namespace tabulizer {
namespace {

constexpr int kLabelMargin = 40;   // twips around the label's top left corner
constexpr int kWindowMargin = 90;  // twips the window is larger than its label
constexpr int kOldSystemFontSize = 8;

}  // namespace

frmHelp::frmHelp(const RunState& run, ui::Host& host, HelpLocator locate)
    : ui::Window("frmHelp"), run_(run), host_(host), locate_(std::move(locate)) {
    Caption = "Контекстная справка";
    lbHelp.OnClick = [this] { lbHelp_Click(); };
    OnEscape = [this] { Form_KeyPress(kEscape); };
    // Closing by the frame only hides: the file is not read again at the next press.
    OnClose = [this] { host_.Hide(*this); };
}

frmHelp::frmHelp(const RunState& run, ui::Host& host) : frmHelp(run, host, FindHelpFile) {}

void frmHelp::ShowHelp() {
    if (!loaded_) Form_Load();
    if (ShowTopic()) host_.Show(*this);
}

void frmHelp::StepChanged() {
    if (Visible) ShowTopic();
}

void frmHelp::UnloadHelp() {
    if (loaded_) host_.Unload(*this);
}

// A missing or unusable file is told once; the window then stays without help.
void frmHelp::Form_Load() {
    loaded_ = true;
    HelpFileText file = ReadHelpFile(locate_ ? locate_() : std::filesystem::path());
    switch (file.status) {
    case HelpRead::Missing: Fail("Файл справки Help.txt не найден !"); return;
    case HelpRead::BadLength: Fail("Неверная длина файла справки !"); return;
    case HelpRead::Unreadable: Fail("Файл справки Help.txt не удаётся прочитать !"); return;
    case HelpRead::Loaded: break;
    }
    HelpText = std::move(file.text);
    HelpLoaded = true;
    if (run_.OldWindows) lbHelpFontSize = kOldSystemFontSize;
}

void frmHelp::Form_Activate() { ShowTopic(); }

// True when the window has a topic to show.
bool frmHelp::ShowTopic() {
    if (!HelpLoaded) {
        if (Visible) host_.Hide(*this);
        return false;
    }
    const int step = run_.CurStep + 1;
    if (ShownStep == step) return true;
    const HelpTopic topic = FindTopic(HelpText, step);
    if (topic.status == TopicFind::Missing) {
        Fail("Справка отсутствует !");
        return false;
    }
    if (topic.status == TopicFind::Damaged) {
        Fail("Файл справки повреждён !");
        return false;
    }
    const HelpLabelSize size = LabelSizeFor(topic.length, run_.OldWindows);
    lbHelp.Geometry = {kLabelMargin, kLabelMargin, size.width, size.height};
    lbHelp.Caption = Cp1251ToUtf8(std::string_view(HelpText).substr(topic.start, topic.length));
    Geometry.Width = size.width + kWindowMargin;
    Geometry.Height = size.height + kWindowMargin;
    ShownStep = static_cast<i16>(step);
    return true;
}

void frmHelp::Fail(std::string_view message) {
    if (Visible) host_.Hide(*this);
    host_.MessageBox(message, ui::Buttons::Ok, ui::Icon::Question);
}

void frmHelp::Form_KeyPress(int keyAscii) {
    if (keyAscii == kEscape) host_.Hide(*this);
}

void frmHelp::lbHelp_Click() { host_.Hide(*this); }

}  // namespace tabulizer
