#include "conversion/spreadsheet/AutomationValues.h"

#include <string>

#include "common/Failure.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {
namespace {

// Interface values beyond those of Spreadsheet.h.
constexpr int kAlignGeneral = 1;
constexpr int kLineNone = -4142, kLineDash = -4115, kLineDashDotDot = 5, kLineDot = -4118,
              kLineDouble = -4119, kLineSlantDashDot = 13;
constexpr int kWeightThin = 2, kWeightMedium = -4138;

[[noreturn]] void Refuse(const char* what, int value) {
    throw Failure(kCannotWrite, std::string("unable to set ") + what + " to " + std::to_string(value));
}

StyleChange Change(Property property, auto value) {
    return {property, static_cast<std::uint32_t>(value)};
}

// The line and weight properties of the border at `index`.
std::pair<Property, Property> EdgeProperties(int index) {
    switch (index) {
        case kEdgeBottom: return {Property::kBottomLine, Property::kBottomWeight};
        case kEdgeLeft: return {Property::kLeftLine, Property::kLeftWeight};
        case kEdgeRight: return {Property::kRightLine, Property::kRightWeight};
        default: Refuse("the border index", index);
    }
}

}  // namespace

StyleChange AlignmentChange(int alignment) {
    switch (alignment) {
        case kAlignGeneral: return Change(Property::kAlign, Align::kGeneral);
        case kAlignLeft: return Change(Property::kAlign, Align::kLeft);
        case kAlignCenter: return Change(Property::kAlign, Align::kCenter);
        case kAlignRight: return Change(Property::kAlign, Align::kRight);
        default: Refuse("the horizontal alignment", alignment);
    }
}

StyleChange ReadingOrderChange(int order) {
    switch (order) {
        case kOrderContext: return Change(Property::kOrder, Order::kContext);
        case kOrderLtr: return Change(Property::kOrder, Order::kLtr);
        case kOrderRtl: return Change(Property::kOrder, Order::kRtl);
        default: Refuse("the reading order", order);
    }
}

StyleChange BorderLineChange(int index, int lineStyle) {
    Property property = EdgeProperties(index).first;
    switch (lineStyle) {
        case kLineNone: return Change(property, Line::kNone);
        case kContinuous: return Change(property, Line::kContinuous);
        case kLineDash: return Change(property, Line::kDash);
        case kDashDot: return Change(property, Line::kDashDot);
        case kLineDashDotDot: return Change(property, Line::kDashDotDot);
        case kLineDot: return Change(property, Line::kDot);
        case kLineDouble: return Change(property, Line::kDouble);
        case kLineSlantDashDot: return Change(property, Line::kSlantDashDot);
        default: Refuse("the border line style", lineStyle);
    }
}

StyleChange BorderWeightChange(int index, int weight) {
    Property property = EdgeProperties(index).second;
    switch (weight) {
        case kHairline: return Change(property, Weight::kHairline);
        case kWeightThin: return Change(property, Weight::kThin);
        case kWeightMedium: return Change(property, Weight::kMedium);
        case kThick: return Change(property, Weight::kThick);
        default: Refuse("the border weight", weight);
    }
}

StyleChange FontSizeChange(int points) {
    if (points < 1 || points > 409) Refuse("the font size", points);
    return Change(Property::kFontSize, points);
}

}  // namespace tabulizer::sheet
