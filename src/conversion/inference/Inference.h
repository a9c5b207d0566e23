#pragma once
// Describing a report from its own text: every element of a document description
// is inferred from evidence in the lines (box characters, lines that repeat on every
// page, numbers in columns), never from the kind of report. The windows and the
// command line call InferReport; the element functions are declared in Elements.h.
#include <string>
#include <vector>

#include "description/DocumentDescription.h"

namespace tabulizer::inference {

// The elements of a description a finding is about, for a caller that acts on one
// (the editor opens at the step of the first one left undecided).
enum class Element { CodePage, Pages, TitleAndCap, Columns, Separators, Merges, FixedLines, Postscript, Formats, EmptyLines };

// What one element was inferred from, for the user to check (UTF-8, Russian).
struct Finding {
    std::string element;   // "Кодировка", "Страницы", ...
    std::string text;      // what was found and on what evidence
    bool decided = true;   // false: the evidence did not decide; a default was taken
    Element kind = Element::Pages;  // set with `element`
};

struct ReportInference {
    DocumentDescription description;  // NameIn is the report path as given; NameOut empty
    std::vector<Finding> findings;
    bool described = false;           // false: the text holds no table to describe
    std::string reason;               // why not, when `described` is false
};

// Reads the report and infers its description. Throws Failure 53 / 75 / 57 when the
// file cannot be found or read.
ReportInference InferReport(const std::string& utf8Path);

// The same over the report's raw lines (bytes as read, without line ends).
ReportInference InferLines(const std::vector<std::string>& rawLines);

}  // namespace tabulizer::inference
