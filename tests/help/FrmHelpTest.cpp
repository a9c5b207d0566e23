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
#include "help/frmHelp.h"

namespace tabulizer::test {
namespace {

using Texts = std::vector<std::string>;

// Each topic on a line of its own, keys from 1; an empty text leaves its topic out.
std::string Topics(std::map<int, std::string> texts = {}, bool finalBreak = true) {
    std::string file;
    for (int step = 1; step <= 15; ++step) {
        auto text = texts.emplace(step, "Тема шага " + std::to_string(step) + ": что делать.").first->second;
        if (text.empty()) continue;
        file += std::to_string(step) + "##" + Utf8ToCp1251(text) + "\r\n";
    }
    return finalBreak ? file : file.substr(0, file.size() - 2);
}

class HelpTest : public ::testing::Test {
protected:
    void WriteHelp(const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
        help.reset();
        host.boxes.clear();
    }
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
    const std::pair<int, Texts> cases[] = {{0, {"Файл справки Help.txt не найден !"}},
                                           {99, {"Неверная длина файла справки !"}},
                                           {100, {}},
                                           {20960, {}},
                                           {20961, {"Неверная длина файла справки !"}}};
    for (const auto& [bytes, messages] : cases) {
        WriteHelp(bytes == 0 ? "" : "1##" + std::string(bytes - 3, 'a'));
        if (bytes == 0) std::filesystem::remove(file);
        Press(1);
        Press(2);  // no topic 2: with a usable file, "Справка отсутствует !"
        Texts expected = messages;
        if (messages.empty()) expected.push_back("Справка отсутствует !");
        EXPECT_EQ(host.BoxTexts(), expected) << bytes;
        EXPECT_EQ(Help().HelpLoaded, messages.empty());
        EXPECT_FALSE(Help().Visible);
        EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(host.boxes[0].icon, ui::Icon::Question);
    }
}

TEST_F(HelpTest, TopicRunsToTheNextKeyLessItsTwoDroppedCharacters) {
    WriteHelp(Topics());
    EXPECT_EQ(Press(3), "Тема шага 3: что делать. ");   // "4" and one blank of the break dropped
    EXPECT_EQ(Press(9), "Тема шага 9: что делать.  ");  // "1" and "0" dropped
    EXPECT_EQ(Press(15), "Тема шага 15: что делать.  ");
    WriteHelp(Topics({{1, "Первая строка\r\nвторая"}}, false));
    EXPECT_EQ(Press(1), "Первая строка  вторая ");
    EXPECT_EQ(Press(15), "Тема шага 15: что делать.");  // the last topic needs no end mark

    // A missing topic and one of 9 characters fail in their own step only.
    WriteHelp(Topics({{7, ""}, {4, "12345678"}, {5, "123456789"}}));
    EXPECT_EQ(Press(3), "Тема шага 3: что делать. ");
    Press(7);
    Press(4);
    EXPECT_EQ(host.BoxTexts(), (Texts{"Справка отсутствует !", "Файл справки повреждён !"}));
    EXPECT_FALSE(Help().Visible);
    EXPECT_EQ(Help().ShownStep, 3);
    EXPECT_EQ(Press(5), "123456789 ");
    EXPECT_TRUE(Help().Visible);
    EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(HelpTest, LabelAndWindowGrowWithTheSquareRootOfTheText) {
    // 200 characters: t = 20, label 2852 x 2252 at (40, 40), window 2942 x 2342.
    WriteHelp("1##" + std::string(199, 'x') + "\r\n2##" + std::string(120, 'y'));
    EXPECT_EQ(Press(1).size(), 200u);
    EXPECT_EQ(Help().lbHelp.Geometry.Left + Help().lbHelp.Geometry.Top, 80);
    EXPECT_EQ(std::make_pair(Help().lbHelp.Geometry.Width, Help().lbHelp.Geometry.Height), std::make_pair(2852, 2252));
    EXPECT_EQ(std::make_pair(Help().Geometry.Width, Help().Geometry.Height), std::make_pair(2942, 2342));
    run.OldWindows = true;
    help.reset();
    Press(1);
    EXPECT_EQ(std::make_pair(Help().Geometry.Width, Help().Geometry.Height), std::make_pair(2389 + 90, 1889 + 90));
    EXPECT_EQ(Help().lbHelpFontSize, 8);

    struct Case {
        int length, width, height;
    } cases[] = {{10, 868, 268}, {12, 992, 392}, {13, 992, 392}, {20960, 25792, 25192}};
    for (const Case& c : cases)
        EXPECT_EQ(std::make_pair(LabelSizeFor(c.length, false).width, LabelSizeFor(c.length, false).height),
                  std::make_pair(c.width, c.height)) << c.length;
}

TEST_F(HelpTest, HidingKeepsTheTextAndOnlyAShownWindowFollowsTheEditor) {
    WriteHelp(Topics());
    Press(2);
    Help().lbHelp.Caption = "как было";  // the same step again is not recomputed
    EXPECT_EQ(Press(2), "как было");
    std::filesystem::remove(file);  // hidden, the window keeps the text it read
    const std::function<void()> hides[] = {[&] { Help().Form_KeyPress(frmHelp::kEscape); },
                                           [&] { Help().OnEscape(); }, [&] { Help().lbHelp.Click(); },
                                           [&] { Help().OnClose(); }};
    for (const auto& hide : hides) {
        Help().Form_KeyPress('a');
        hide();
        EXPECT_FALSE(Help().Visible);
        EXPECT_EQ(Press(6), "Тема шага 6: что делать. ");
    }
    run.CurStep = 7;
    Help().StepChanged();
    EXPECT_EQ(Help().ShownStep, 8);
    Help().lbHelp.Click();
    run.CurStep = 8;
    Help().StepChanged();
    EXPECT_EQ(Help().ShownStep, 8);
    EXPECT_TRUE(host.boxes.empty());
    Help().UnloadHelp();
    EXPECT_EQ(host.events.back(), "unload frmHelp");

    std::string text = "a\r\nb\r\r\n\n\r";
    BlankLineBreaks(text);
    EXPECT_EQ(text, "a  b\r  \n\r");
}

// The file that ships with the program: CR LF only, within the bounds, and a
// topic for every step that the window shows without a complaint.
TEST_F(HelpTest, ShippedHelpFileExplainsEveryStep) {
    file = TABULIZER_HELP_FILE;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_GE(bytes.size(), kHelpMinBytes);
    EXPECT_LE(bytes.size(), kHelpMaxBytes);
    std::string blanked = bytes;
    BlankLineBreaks(blanked);
    EXPECT_EQ(std::count_if(blanked.begin(), blanked.end(), [](char c) { return c == '\r' || c == '\n'; }), 0);
    for (int step = 1; step <= 15; ++step) {
        const std::string text = Press(step);
        EXPECT_TRUE(Help().Visible && text.size() > 200 && text.find("##") == std::string::npos) << step;
    }
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace tabulizer::test
