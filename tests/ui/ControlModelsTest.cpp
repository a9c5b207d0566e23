#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Failure.h"
#include "ui/ComboBox.h"
#include "ui/ListView.h"
#include "ui/UpDown.h"

namespace tabulizer::ui {
namespace {

struct Models : Window {
    Models() : Window("w") {}
    ListView list{*this, "list"};
    ComboBox combo{*this, "combo"};
    Control box{*this, ControlKind::TextBox, "box"};
    UpDown spin{*this, "spin", &box};
};

ColumnHeader H(const char* text, int width) { return {text, width, Alignment::Left, ""}; }

std::string Texts(const ListView& list) {
    std::string out;
    for (const auto& header : list.Headers()) out += header.Text + "/" + std::to_string(header.Width) + " ";
    return out;
}

TEST(ControlModels, ListViewEditsHeadersByOneBasedIndexAndReportsWhatHappened) {
    Models w;
    std::vector<std::string> events;
    w.list.OnColumnClick = [&](int h) { events.push_back("column " + std::to_string(h)); };
    w.list.OnItemClick = [&](int i) { events.push_back("item " + std::to_string(i)); };
    w.list.OnMouseDown = [&] { events.push_back("down"); };
    w.list.OnHeaderResize = [&](int h, int width) { events.push_back("resize " + std::to_string(h) + " " + std::to_string(width)); };
    for (const char* text : {"a", "b", "c"}) w.list.AddHeader(H(text, 250));
    w.list.InsertHeader(3, H("x", 350));
    w.list.RemoveHeader(4);
    w.list.ReplaceHeader(1, H("n", 1400));
    EXPECT_EQ(Texts(w.list), "n/1400 b/250 x/350 ");
    EXPECT_THROW(w.list.InsertHeader(5, {}), Failure);
    EXPECT_THROW(w.list.ReplaceHeader(0, {}), Failure);

    const unsigned long headers = w.list.HeadersRevision(), items = w.list.ItemsRevision();
    w.list.AddItem({" 1", {"q"}});
    w.list.SetItemText(1, " 1 Шапка");
    EXPECT_EQ(w.list.HeadersRevision(), headers);
    EXPECT_EQ(w.list.ItemsRevision(), items + 2);
    // A drag is stored for the logic to read; the widget already shows it.
    w.list.ResizeHeader(2, 900);
    EXPECT_EQ(w.list.Header(2).Width, 900);
    EXPECT_EQ(w.list.HeadersRevision(), headers);

    w.list.MouseDown();
    w.list.ItemClick(1);
    w.list.ColumnClick(3);
    w.list.Enabled = false;
    w.list.ColumnClick(2);
    EXPECT_EQ(events, (std::vector<std::string>{"resize 2 900", "down", "item 1", "column 3"}));
}

TEST(ControlModels, ComboRunsItsEventOnlyForTheUsersChoiceAndSpinStaysInRange) {
    Models w;
    int clicks = 0, changes = 0;
    w.combo.OnClick = [&] { ++clicks; };
    w.combo.SetEntries({"Общий", "Числовой"});
    w.combo.SetListIndex(1);
    w.combo.SetListIndex(7);
    EXPECT_EQ(w.combo.ListIndex(), -1);
    w.combo.Choose(0);
    w.combo.Choose(0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(w.combo.ListIndex(), 0);

    w.spin.OnChange = [&] { ++changes; };
    w.spin.SetRange(0, 20);
    const unsigned long before = w.spin.Revision();
    w.spin.SetPosition(25);
    EXPECT_EQ(w.spin.Position(), 20);
    EXPECT_EQ(w.box.Text(), "20");
    w.spin.Spin(+1);
    w.spin.Spin(-1);
    w.spin.SetRange(1, 5);
    EXPECT_EQ(w.spin.Position(), 5);
    EXPECT_EQ(w.box.Text(), "5");
    EXPECT_EQ(changes, 3);
    EXPECT_GT(w.spin.Revision(), before);
}

}  // namespace
}  // namespace tabulizer::ui
