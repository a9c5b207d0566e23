#include "editor/InferredStart.h"

#include <algorithm>
#include <optional>

#include "editor/StepQuestions.h"
#include "editor/StepTable.h"

namespace tabulizer {
namespace {

using inference::Element;

// The step at which the user marks an element; none for what the options dialog holds.
std::optional<StepId> StepOf(Element element) {
    switch (element) {
    case Element::CodePage: return StepId::CodePage;
    case Element::Pages: return StepId::ReferenceLine;
    case Element::TitleAndCap: return StepId::TitleEnd;
    case Element::Columns: return StepId::ColumnEnds;
    case Element::Separators: return StepId::Separators;
    case Element::Merges: return StepId::Merges;
    case Element::FixedLines: return StepId::FixedLines;
    case Element::Postscript: return StepId::Postscript;
    case Element::Formats: return StepId::Formats;
    case Element::EmptyLines: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

InferredStart StartOfInferred(const std::vector<inference::Finding>& findings) {
    const inference::Finding* first = nullptr;
    int firstStep = kStepCount;
    for (const inference::Finding& f : findings) {
        std::optional<StepId> step = StepOf(f.kind);
        if (f.decided || !step || StepIndex(*step) >= firstStep) continue;
        first = &f;
        firstStep = StepIndex(*step);
    }
    if (!first) return {};
    return {firstStep, "Не удалось определить однозначно: " + first->element + " — " + first->text +
                           ".\nРедактор откроется на шаге " + std::to_string(firstStep + 1) + ": проверьте его."};
}

}  // namespace tabulizer
