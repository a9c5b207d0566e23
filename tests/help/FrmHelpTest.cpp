// The help window over help files of every shape: the length bounds, the topic
// search with its two dropped characters, the sizing and the window's life.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "../support/ScriptedHost.h"
#include "../support/TempDir.h"
#include "common/Cp1251.h"
#include "help/HelpFile.h"
#include "help/HelpLocation.h"
#include "help/frmHelp.h"

namespace tabulizer::test {
namespace {

constexpr const char* kMissingFile = "Файл справки Help.txt не найден !";
constexpr const char* kBadLength = "Неверная длина файла справки !";
constexpr const char* kNoTopic = "Справка отсутствует !";
constexpr const char* kDamaged = "Файл справки повреждён !";

// "Тема N: ..." for every step, each topic on a line of its own.
std::string Topics(const std::map<int, std::string>& texts, bool finalBreak = true) {
    std::string file;
    for (const auto& [step, text] : texts) {
        if (!file.empty()) file += "\r\n";
        file += std::to_string(step) + "##" + Utf8ToCp1251(text);
    }
    return finalBreak ? file + "\r\n" : file;
}

std::map<int, std::string> AllTopics() {
    std::map<int, std::string> texts;
    for (int step = 1; step <= 15; ++step) texts[step] = "Тема шага " + std::to_string(step) + ": что делать.";
    return texts;
}

class HelpTest : public ::testing::Test {
protected:
    void WriteHelp(const std::string& bytes) const { std::ofstream(file, std::ios::binary) << bytes; }
    frmHelp& Help() {
        if (!help) help.emplace(run, host, [this] { return file; });
        return *help;
    }
    // Presses "Справка" in `step` (1..15); the label text afterwards.
    std::string Press(int step) {
        run.CurStep = static_cast<i16>(step - 1);
        Help().ShowHelp();
        return help->lbHelp.Caption;
    }

    TempDir temp{"tabulizer-help"};
    std::filesystem::path file = temp.path() / "Help.txt";
    ScriptedHost host;
    RunState run;
    std::optional<frmHelp> help;
};

TEST_F(HelpTest, LengthBoundsAndMissingFileAreToldOnceAtLoad) {
    struct Case {
        std::optional<std::size_t> bytes;  // nullopt: no file
        const char* message;               // nullptr: accepted
    } cases[] = {{std::nullopt, kMissingFile}, {99, kBadLength}, {100, nullptr}, {20960, nullptr}, {20961, kBadLength}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes ? std::to_string(*c.bytes) : "missing");
        std::filesystem::remove(file);
        if (c.bytes) WriteHelp("1##" + std::string(*c.bytes - 3, 'a'));
        help.reset();
        host.boxes.clear();
        Press(1);
        EXPECT_EQ(Help().HelpLoaded, c.message == nullptr);
        EXPECT_EQ(Help().Visible, c.message == nullptr);
        if (c.message == nullptr) {
            EXPECT_TRUE(host.boxes.empty());
            continue;
        }
        ASSERT_EQ(host.BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(host.boxes[0].icon, ui::Icon::Question);
        Press(2);  // later presses only keep the window hidden
        EXPECT_EQ(host.boxes.size(), 1u);
        EXPECT_FALSE(Help().Visible);
    }
}

TEST_F(HelpTest, TopicRunsToTheNextKeyLessItsTwoDroppedCharacters) {
    WriteHelp(Topics(AllTopics()));
    EXPECT_EQ(Press(1), "Тема шага 1: что делать. ");
    EXPECT_EQ(Press(3), "Тема шага 3: что делать. ");   // "4" and the first blank dropped
    EXPECT_EQ(Press(9), "Тема шага 9: что делать.  ");  // "1" and "0" dropped
    EXPECT_EQ(Press(11), "Тема шага 11: что делать.  ");
    EXPECT_EQ(Press(15), "Тема шага 15: что делать.  ");  // the final line break
    EXPECT_TRUE(host.boxes.empty());

    // A topic over two lines shows the line break as two blanks; the last topic
    // needs no line break of its own.
    help.reset();
    WriteHelp(Topics({{1, "Первая строка\r\nвторая строка"}, {2, "Последняя тема"}}, false) +
              std::string(80, ' '));
    EXPECT_EQ(Press(1), "Первая строка  вторая строка ");
    EXPECT_EQ(Press(2), "Последняя тема" + std::string(80, ' '));
}

TEST_F(HelpTest, MissingAndShortTopicsFailOnlyTheirStep) {
    std::map<int, std::string> texts = AllTopics();
    texts.erase(7);
    texts[4] = "12345678";  // with the blank left of the line break: 9 characters
    texts[5] = "123456789";
    WriteHelp(Topics(texts));
    Press(3);
    EXPECT_TRUE(Help().Visible);
    struct Case {
        int step;
        const char* message;
    } cases[] = {{7, kNoTopic}, {4, kDamaged}};
    for (const Case& c : cases) {
        host.boxes.clear();
        Press(c.step);
        EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(Help().Visible);
        EXPECT_EQ(Help().ShownStep, 3);
        EXPECT_EQ(Help().lbHelp.Caption, "Тема шага 3: что делать. ");
    }
    host.boxes.clear();
    EXPECT_EQ(Press(5), "123456789 ");
    EXPECT_EQ(Press(8), "Тема шага 8: что делать. ");
    EXPECT_TRUE(Help().Visible);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(HelpTest, LabelAndWindowGrowWithTheSquareRootOfTheText) {
    // 200 characters: t = 20, label 2852 x 2252, window 2942 x 2342.
    WriteHelp("1##" + std::string(199, 'x') + "\r\n2##" + std::string(120, 'y'));
    Press(1);
    EXPECT_EQ(Help().lbHelp.Caption.size(), 200u);
    EXPECT_EQ(Help().lbHelp.Geometry.Left, 40);
    EXPECT_EQ(Help().lbHelp.Geometry.Top, 40);
    EXPECT_EQ(Help().lbHelp.Geometry.Width, 2852);
    EXPECT_EQ(Help().lbHelp.Geometry.Height, 2252);
    EXPECT_EQ(Help().Geometry.Width, 2942);
    EXPECT_EQ(Help().Geometry.Height, 2342);
    EXPECT_EQ(Help().lbHelpFontSize, 0);

    struct Case {
        int length;
        bool old;
        int width, height;
    } cases[] = {{10, false, 868, 268},   {12, false, 992, 392},    {13, false, 992, 392},
                 {20960, false, 25792, 25192}, {200, true, 2389, 1889}};
    for (const Case& c : cases) {
        const HelpLabelSize size = LabelSizeFor(c.length, c.old);
        EXPECT_EQ(size.width, c.width) << c.length;
        EXPECT_EQ(size.height, c.height) << c.length;
    }

    run.OldWindows = true;
    help.reset();
    Press(1);
    EXPECT_EQ(Help().lbHelp.Geometry.Width, 2389);
    EXPECT_EQ(Help().Geometry.Height, 1889 + 90);
    EXPECT_EQ(Help().lbHelpFontSize, 8);
}

TEST_F(HelpTest, HiddenWindowKeepsItsTextAndFollowsTheEditorOnlyWhenShown) {
    WriteHelp(Topics(AllTopics()));
    Press(2);
    // The same step again is not recomputed.
    Help().lbHelp.Caption = "как было";
    Press(2);
    EXPECT_EQ(Help().lbHelp.Caption, "как было");

    // Esc, a click on the text, the frame: hidden, still loaded; the file is not read again.
    std::filesystem::remove(file);
    for (auto hide : {+[](frmHelp& h) { h.Form_KeyPress(frmHelp::kEscape); },
                      +[](frmHelp& h) { h.OnEscape(); }, +[](frmHelp& h) { h.lbHelp.Click(); },
                      +[](frmHelp& h) { h.OnClose(); }}) {
        Help().Form_KeyPress('a');
        EXPECT_TRUE(Help().Visible);
        hide(Help());
        EXPECT_FALSE(Help().Visible);
        EXPECT_EQ(Press(6), "Тема шага 6: что делать. ");
        EXPECT_TRUE(Help().Visible);
    }

    run.CurStep = 7;
    Help().StepChanged();
    EXPECT_EQ(Help().ShownStep, 8);
    Help().lbHelp.Click();
    run.CurStep = 8;
    Help().StepChanged();
    EXPECT_FALSE(Help().Visible);
    EXPECT_EQ(Help().ShownStep, 8);
    EXPECT_TRUE(host.boxes.empty());

    Help().UnloadHelp();
    EXPECT_EQ(host.events.back(), "unload frmHelp");
}

TEST(HelpFileTest, OnlyCrLfPairsBecomeBlanks) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb", "a  b"}, {"\r\r\n", "\r  "}, {"\n\r", "\n\r"}, {"\r\n\r\n", "    "}, {"\r", "\r"}, {"", ""}};
    for (auto [text, expected] : cases) {
        BlankLineBreaks(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(HelpFileTest, InstalledLayoutIsSearchedAfterTheProgramsFolder) {
    const auto folders = HelpFolders("/opt/tab/bin");
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders[0], "/opt/tab/bin");
    EXPECT_EQ(folders[1], "/opt/tab/share/tabulizer");
    EXPECT_EQ(folders.back().filename(), "tabulizer");
}

// The file that ships with the program: within the bounds, CR LF only, and a
// topic for every step that the window shows without a complaint.
TEST_F(HelpTest, ShippedHelpFileExplainsEveryStep) {
    file = TABULIZER_HELP_FILE;
    const auto size = std::filesystem::file_size(file);
    EXPECT_GE(size, kHelpMinBytes);
    EXPECT_LE(size, kHelpMaxBytes);
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::size_t breaks = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++breaks;
    EXPECT_EQ(breaks, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    EXPECT_EQ(breaks, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')));

    for (int step = 1; step <= 15; ++step) {
        const std::string text = Press(step);
        EXPECT_TRUE(Help().Visible) << step;
        EXPECT_GT(text.size(), 200u) << step;
        EXPECT_EQ(text.find("##"), std::string::npos) << step;
    }
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace tabulizer::test
