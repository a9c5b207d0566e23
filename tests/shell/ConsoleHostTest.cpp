#include "ui/ConsoleHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tabulizer::ui {
namespace {

TEST(ConsoleHostTest, MessagesGoOutAsTheyStandAndNothingWaits) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    {
        ConsoleHost host(err);
        EXPECT_EQ(host.MessageBox("      Пакетная обработка !\nфайл", Buttons::Ok), Answer::Ok);
        EXPECT_EQ(host.MessageBox("Перезаписать файл ?", Buttons::YesNo), Answer::Yes);
        EXPECT_EQ(host.SaveFileDialog("t", "*.xlsx"), "");
        host.Progress(10, 1);  // not a terminal: no progress line
    }
    std::rewind(err);
    std::string text(256, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), err));
    std::fclose(err);
    EXPECT_EQ(text, "      Пакетная обработка !\nфайл\nПерезаписать файл ?\n");
}

}  // namespace
}  // namespace tabulizer::ui
