#include "EditorFixture.h"

namespace tabulizer::test {
namespace {

// What the window shows around the list in one step.
std::string Frame(const frmParDoc& e) {
    std::string out = e.lbNumber.Caption + " " + std::to_string(e.Geometry.Width);
    for (const ui::Control* c : {&e.FrameCod, &e.cbFormFeed, &e.FrameCap, &e.FrameFont, &e.FrameFormat, &e.ComWidth})
        if (c->Visible) out += " " + c->Name();
    return out + (e.lstDoc.Visible ? "" : " nolist");
}

const Texts kFramesForward = {
    "1 10200 FrameCod nolist", "2 10200", "3 10200", "4 10200", "5 10200 cbFormFeed", "6 10200", "7 10200",
    "8 13300 FrameCap", "9 13300 FrameFont", "10 13300 FrameFont", "11 13300 FrameFont",
    "12 13300 FrameFormat", "13 10200 ComWidth", "14 10200", "15 10200"};

TEST_F(EditorTest, NewProjectOpensOnlyTheStepsWhoseElementIsMarkedAndHandsOverAfterStep15) {
    frmParDoc& e = Open((dir / "ved.txt").string(), true);
    std::filesystem::copy_file(std::filesystem::path(TABULIZER_EXAMPLES) / "ved.txt", dir / "ved.txt");
    e.Form_Load();  // a second load (after a return to the wizard) starts afresh
    EXPECT_EQ(e.lbSumDoc.Caption, "Строк в документе:       50\nМаксимальная длина записи: 61");
    EXPECT_EQ(e.txtQuestion.Text(), "Кодировка входного документа");
    EXPECT_TRUE(e.NextFr.Enabled && e.NextFr.HasFocus());
    EXPECT_EQ(Headers(1, 2), (Texts{"№ строки/1400/", "/250/Bir"}));
    EXPECT_EQ(e.lstDoc.Headers().size(), 62u);
    e.NextFr.Click();
    for (int step : {2, 3, 4, 5}) {
        EXPECT_EQ(run.CurStep + 1, step);
        EXPECT_FALSE(e.NextFr.Enabled);
        e.NextFr.Click();  // refused as a user's click on a disabled button
        EXPECT_EQ(run.CurStep + 1, step);
        if (step == 2) {
            for (int p : {7, 28, 39, 50, 61}) e.lstDoc.ColumnClick(p + 1);
        } else {
            const int line = step == 3 ? 2 : step == 4 ? 7 : 1;
            e.lstDoc.MouseDown();
            e.lstDoc.ItemClick(line);
        }
        ASSERT_TRUE(e.NextFr.Enabled) << step;
        e.NextFr.Click();
    }
    EXPECT_EQ(d.EndTitle * 100 + d.EndCap * 10 + d.EtalStrN, 271);
    EXPECT_EQ(Cp1251ToUtf8(d.EtalStr), "            ВЕДОМОСТЬ НАЧИСЛЕНИЯ ЗАРАБОТНОЙ ПЛАТЫ");
    Forward(15);
    EXPECT_EQ(e.txtQuestion.Text(),
              "Постскриптум - заключительная часть страницы или документа - укажите положение выбирая начальную "
              "строку и, при необходимости, колонки начала и конца !");
    host.events.clear();
    e.NextFr.Click();
    EXPECT_EQ(host.events, (Texts{"hide frmParDoc", "unload help", "conversion", "unload frmParDoc"}));
}

TEST_F(EditorTest, ModifiedProjectStepsThroughAllStepsAndBackWithoutChangingTheDescription) {
    for (const char* example : {"ved", "svod"}) {
        SCOPED_TRACE(example);
        host.events.clear();
        LoadExample(example);
        const DocumentDescription loaded = d;
        frmParDoc& e = Open(d.NameIn, false);
        EXPECT_EQ(d.MaxLStr, loaded.MaxLStr);
        Texts frames{Frame(e)};
        for (int step = 2; step <= 15; ++step) {
            Forward(step);
            frames.push_back(Frame(e));
        }
        EXPECT_EQ(frames, kFramesForward);
        Texts back;
        for (int step = 14; step >= 1; --step) {
            Back(step);
            back.push_back(Frame(e));
        }
        EXPECT_EQ(back.front(), "14 10200");
        EXPECT_EQ(back[1], "13 10200 ComWidth");
        EXPECT_EQ(back[2], "12 13300 FrameFormat");
        EXPECT_EQ(back[7], "7 10200");
        EXPECT_EQ(back.back(), "1 10200 FrameCod nolist");
        EXPECT_EQ(d, loaded);
        e.BackFr.Click();
        EXPECT_EQ(host.events, (Texts{"show frmParDoc", "wizard", "unload frmParDoc"}));
        editor.reset();
        d = DocumentDescription{};
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
}

TEST_F(EditorTest, SideWidthIsAddedAndTakenOnceEveryTime) {
    LoadExample("ved");
    frmParDoc& e = Open(d.NameIn, false);
    Forward(12);
    const int wide = e.Geometry.Width;
    Texts widths;
    for (auto* button : {&e.NextFr, &e.BackFr, &e.NextFr, &e.NextFr, &e.BackFr, &e.NextFr, &e.BackFr, &e.BackFr}) {
        button->Click();
        widths.push_back(std::to_string(run.CurStep + 1) + ":" + std::to_string(e.Geometry.Width));
    }
    EXPECT_EQ(wide, 13300);
    EXPECT_EQ(widths, (Texts{"13:10200", "12:13300", "13:10200", "14:10200", "13:10200", "14:10200", "13:10200",
                             "12:13300"}));
    EXPECT_EQ(e.SelectedFormatColumn(), 0);
    EXPECT_FALSE(e.FrameFormat.Enabled);
}

TEST_F(EditorTest, StepFiveNeedsAReferenceLineOrTheFormFeed) {
    LoadExample("ved");
    d.EtalStrN = 0;
    d.EtalStr.clear();
    frmParDoc& e = Open(d.NameIn, false);
    Forward(5);
    e.NextFr.Click();
    EXPECT_EQ(run.CurStep + 1, 5);
    EXPECT_EQ(host.BoxTexts(), Texts{"Эталонная строка не может быть пустой !"});
    e.cbFormFeed.Click();
    EXPECT_TRUE(d.FormFeed && e.NextFr.Enabled && e.txtQuestion.Text().empty());
    e.cbFormFeed.Click();
    EXPECT_FALSE(d.FormFeed || e.NextFr.Enabled);
    EXPECT_EQ(e.txtQuestion.Text(), e.Question(StepId::ReferenceLine));
    e.cbFormFeed.Click();
    e.NextFr.Click();
    Back(5);  // the stored option ticks the box again on entry
    EXPECT_EQ(e.cbFormFeed.Value, 1);
    e.lstDoc.MouseDown();
    e.lstDoc.ItemClick(1);  // a reference line switches the form feed off
    EXPECT_FALSE(d.FormFeed);
    EXPECT_EQ(d.EtalStrN, 1);
    EXPECT_EQ(ItemTexts().front(), " 1 Эталон");
}

// Lines beyond the 16-bit line numbers and positions are left out, with a word why.
TEST_F(EditorTest, DocumentsBeyondSixteenBitsAreCutWithAMessage) {
    struct Case { int lines; int longest; std::string sums; Texts boxes; };
    const std::string tooMany = "Строк в документе больше 32767 !\nВ описании можно использовать только первые 32767 строк.";
    const std::string tooLong = "Длина записи больше 32767 символов !\nВ описании можно использовать только первые 32767 символов каждой строки.";
    for (const Case& c : {Case{10, 30, "10\nМаксимальная длина записи: 30", {}},
                          Case{32768, 9, "32767\nМаксимальная длина записи: 9", {tooMany}},
                          Case{3, 40000, "3\nМаксимальная длина записи: 32767", {tooLong}}}) {
        Texts lines(c.lines, "x");
        lines[1] = "\t" + std::string(c.longest - 8, 'y');  // a tab counts as the blanks it becomes
        host.boxes.clear();
        frmParDoc& e = Open(WriteDocument(lines), true);
        EXPECT_EQ(e.lbSumDoc.Caption, "Строк в документе:       " + c.sums);
        EXPECT_EQ(host.BoxTexts(), c.boxes);
    }
}

}  // namespace
}  // namespace tabulizer::test

namespace tabulizer::test {
namespace {

// What the view shows in one step: the first header's width, the header count,
// the font and the lines shown.
std::string ViewOf(const frmParDoc& e) {
    const auto& items = e.lstDoc.Items();
    const ui::ViewFont font = e.lstDoc.Font();
    std::string out = std::to_string(e.lstDoc.Header(1).Width) + "/" + std::to_string(e.lstDoc.Headers().size()) +
                      " " + font.Name + " " + std::to_string(font.Size);
    if (!items.empty())
        out += " " + std::to_string(ItemLineNumber(items.front().Text)) + "-" +
               std::to_string(ItemLineNumber(items.back().Text));
    return out;
}

// The payroll example: title to line 2, cap to line 7, 50 lines, five columns.
TEST_F(EditorTest, EveryStepShowsItsLinesHeadersAndFontAlikeForwardsAndBackwards) {
    LoadExample("ved");
    frmParDoc& e = Open(d.NameIn, false);
    const Texts expected = {
        "1400/62 Arial 10 1-14",        "1400/62 Arial 10 1-14",       "1400/62 Arial 10 1-14",
        "1400/62 Arial 10 1-14",        "1400/62 Arial 10 1-14",       "1400/62 Arial 10 1-14",
        "1/62 Arial 10 1-14",           "1550/6 Courier New 9 3-7",    "1/2 Arial 12 1-2",
        "1/6 Arial 10 3-7",             "1/6 Courier New 10 8-21",     "1/6 Courier New 9 8-21",
        "1/6 Courier New 9 3-16",       "1550/6 Courier New 9 8-21",   "1550/6 Courier New 9 37-50"};
    Texts forward{ViewOf(e)};
    for (int step = 2; step <= kStepCount; ++step) {
        Forward(step);
        forward.push_back(ViewOf(e));
    }
    EXPECT_EQ(forward, expected);
    for (int step = kStepCount - 1; step >= 1; --step) {
        Back(step);
        EXPECT_EQ(ViewOf(e), expected[step - 1]) << "back to step " << step;
    }
}

// The owner (the help window) learns of every step shown: on load, forwards, back,
// and not when the editor hands over to the wizard.
TEST_F(EditorTest, EveryStepShownIsToldToTheOwner) {
    LoadExample("ved");
    Texts told;
    editor.emplace(d, run, host);
    editor->StepChanged = [&] { told.push_back(std::to_string(run.CurStep + 1) + (editor->Visible ? "" : " hidden")); };
    d.NameIn = (dir / "ved.txt").string();
    editor->Form_Load();
    Forward(3);
    Back(1);
    editor->BackFr.Click();
    EXPECT_EQ(told, (Texts{"1", "2", "3", "2", "1"}));
}

}  // namespace
}  // namespace tabulizer::test
