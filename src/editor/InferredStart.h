#pragma once
// Where the editor opens a description the inference wrote: at the step of the first
// element, in the order of the steps, whose evidence did not decide it, so the user
// corrects exactly that; what the earlier steps show was decided and stays marked.
#include <string>
#include <vector>

#include "conversion/inference/Inference.h"

namespace tabulizer {

struct InferredStart {
    int step = 0;         // 0-based step; 0 when every element was decided
    std::string message;  // what the user is told before the editor opens; empty: nothing
};

InferredStart StartOfInferred(const std::vector<inference::Finding>& findings);

}  // namespace tabulizer
