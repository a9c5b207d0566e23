#pragma once
// The fifteen questions of the editor. Each text carries a flag character in front:
// "1" lets the user go on at once, "0" only once the step's element is marked
// (a modified project may always go on).
#include <array>
#include <string>
#include <vector>

namespace tabulizer {

struct StepRecord {
    std::string Question;
    bool CanGoNext = false;
};

inline constexpr int kStepCount = 15;

// The flagged texts, step 1 first.
std::vector<std::string> QuestionList();
// Steps 0..14 from the flagged texts; the table has room for 20 as the old one had.
std::array<StepRecord, 20> BuildSteps(const std::vector<std::string>& questions, bool newProject);

}  // namespace tabulizer
