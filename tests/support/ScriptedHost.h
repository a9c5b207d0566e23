#pragma once
// A Host for tests: records every message box, answers questions and file dialogs
// from scripted queues, and records window visibility changes.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer::test {

struct RecordedBox {
    std::string text;
    ui::Buttons buttons;
    ui::Icon icon;
};

class ScriptedHost : public ui::Host {
public:
    std::vector<RecordedBox> boxes;
    std::deque<ui::Answer> answers;         // for Yes/No boxes; No when empty
    std::deque<std::string> chosenFiles;    // for file dialogs; empty (cancel) when none
    std::vector<std::string> dialogTitles;
    std::vector<std::string> dialogFilters;
    std::vector<std::string> events;        // "show frmOpenFile", "hide frmBegin", ...
    std::vector<std::string> openedInDesktop;
    std::vector<std::string> explanations;  // detail lines under messages (batch mode prints them)
    int processEventsCalls = 0;
    // Called from ProcessEvents: lets a test press a button in the middle of a run.
    std::function<void(int call)> onProcessEvents;

    ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon) override {
        boxes.push_back({std::string(text), buttons, icon});
        if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
        if (answers.empty()) return ui::Answer::No;
        ui::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string OpenFileDialog(std::string_view title, std::string_view filter) override {
        return Dialog(title, filter);
    }
    std::string SaveFileDialog(std::string_view title, std::string_view filter) override {
        return Dialog(title, filter);
    }
    void Show(ui::Window& window) override {
        window.Visible = true;
        events.push_back("show " + window.Name());
    }
    void Hide(ui::Window& window) override {
        window.Visible = false;
        events.push_back("hide " + window.Name());
    }
    void Unload(ui::Window& window) override {
        window.Visible = false;
        events.push_back("unload " + window.Name());
    }
    void ProcessEvents() override {
        ++processEventsCalls;
        if (onProcessEvents) onProcessEvents(processEventsCalls);
    }
    void Explain(std::string_view detail) override { explanations.emplace_back(detail); }
    bool OpenInDesktop(const std::string& path) override {
        openedInDesktop.push_back(path);
        return desktopOpens;
    }
    bool desktopOpens = true;  // false: the desktop has no program for the workbook

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) texts.push_back(box.text);
        return texts;
    }

private:
    std::string Dialog(std::string_view title, std::string_view filter) {
        dialogTitles.emplace_back(title);
        dialogFilters.emplace_back(filter);
        if (chosenFiles.empty()) return {};
        std::string file = chosenFiles.front();
        chosenFiles.pop_front();
        return file;
    }
};

}  // namespace tabulizer::test
