#include "ui/ConsoleHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ui/Controls.h"

namespace tabulizer::ui {
namespace {

std::string Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    return text;
}

TEST(ConsoleHostTest, MessagesGoOutAsTheyStandAndNothingWaits) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    {
        ConsoleHost host(err);
        EXPECT_EQ(host.MessageBox("      Пакетная обработка !\nфайл", Buttons::Ok), Answer::Ok);
        EXPECT_EQ(host.MessageBox("Перезаписать файл ?", Buttons::YesNo), Answer::Yes);
        EXPECT_EQ(host.OpenFileDialog("t", ""), "");
        EXPECT_EQ(host.SaveFileDialog("t", "*.xlsx"), "");
        Window window("w");
        host.Show(window);
        EXPECT_FALSE(window.Visible);
        host.Progress(10, 1);  // not a terminal: no progress line
    }
    EXPECT_EQ(Contents(err), "      Пакетная обработка !\nфайл\nПерезаписать файл ?\n");
    std::fclose(err);
}

}  // namespace
}  // namespace tabulizer::ui
