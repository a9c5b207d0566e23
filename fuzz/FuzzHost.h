#pragma once
// The host of the fuzz targets and of their regression test: no display, questions
// answered Yes and No in turn, every box counted, and a workbook handed to the
// desktop removed at once (a fuzzing process converts thousands of documents).
#include <filesystem>
#include <string>
#include <vector>

#include "Files.h"
#include "ui/Host.h"

namespace tabulizer::fuzz {

class FuzzHost : public ui::Host {
public:
    std::vector<std::string> boxes;
    // One entry per workbook handed over: whether it was a written workbook.
    std::vector<bool> handedOver;

    ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon) override {
        boxes.emplace_back(text);
        if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
        nextYes_ = !nextYes_;
        return nextYes_ ? ui::Answer::Yes : ui::Answer::No;
    }
    std::string OpenFileDialog(std::string_view, std::string_view) override { return {}; }
    std::string SaveFileDialog(std::string_view, std::string_view) override { return {}; }
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice&) override { return std::nullopt; }
    void Show(ui::Window&) override {}
    void Hide(ui::Window&) override {}
    void Unload(ui::Window&) override {}
    void ProcessEvents() override {}
    bool OpenInDesktop(const std::string& path) override {
        handedOver.push_back(LooksLikeWorkbook(path));
        RemoveHandedOver(path);
        return true;
    }

private:
    // The run saves such a workbook into a folder of its own under the temporary
    // folder; that folder goes with it, and nothing else does.
    static void RemoveHandedOver(const std::string& path) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::path folder = fs::path(path).parent_path();
        fs::remove(path, ignored);
        if (folder.parent_path() == fs::temp_directory_path(ignored) &&
            folder.filename().string().starts_with("tabulizer-"))
            fs::remove(folder, ignored);  // only when empty
    }

    bool nextYes_ = false;
};

}  // namespace tabulizer::fuzz
