// The one place that knows which view draws which kind of control.
#include "ui/qt/ChoiceViews.h"
#include "ui/qt/ControlView.h"
#include "ui/qt/ControlViews.h"
#include "ui/qt/ReportView.h"

namespace tabulizer::qt {

namespace {

std::unique_ptr<ControlView> Make(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom) {
    switch (model.Kind()) {
    case ui::ControlKind::Button: return std::make_unique<ButtonView>(model, parent, dispatcher, zoom);
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton: return std::make_unique<CheckView>(model, parent, dispatcher, zoom);
    case ui::ControlKind::TextBox: return std::make_unique<TextBoxView>(model, parent, dispatcher, zoom);
    case ui::ControlKind::Panel: return std::make_unique<PanelView>(model, parent, dispatcher, zoom);
    case ui::ControlKind::ProgressBar: return std::make_unique<ProgressView>(model, parent, dispatcher, zoom);
    case ui::ControlKind::ListView:
        return std::make_unique<ReportView>(static_cast<ui::ListView&>(model), parent, dispatcher, zoom);
    case ui::ControlKind::ComboBox:
        return std::make_unique<ComboView>(static_cast<ui::ComboBox&>(model), parent, dispatcher, zoom);
    case ui::ControlKind::UpDown:
        return std::make_unique<SpinView>(static_cast<ui::UpDown&>(model), parent, dispatcher, zoom);
    case ui::ControlKind::Label:
    case ui::ControlKind::Picture: break;
    }
    return std::make_unique<LabelView>(model, parent, dispatcher, zoom);
}

}  // namespace

std::unique_ptr<ControlView> MakeView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom) {
    std::unique_ptr<ControlView> view = Make(model, parent, dispatcher, zoom);
    view->Start();
    return view;
}

}  // namespace tabulizer::qt
