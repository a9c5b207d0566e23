#pragma once
// Plain models of the controls a window shows. The logic of a window owns them and
// writes their properties; a front end (ui/qt) draws them and calls the handlers.
// Positions and sizes are in twips (15 twips = 1 pixel).
#include <functional>
#include <string>
#include <vector>

namespace tabulizer::ui {

struct Rect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// ListView, ComboBox and UpDown are models of their own classes (ui/ListView.h,
// ui/ComboBox.h, ui/UpDown.h); a front end may cast a control of that kind to it.
enum class ControlKind {
    Button, Label, TextBox, CheckBox, OptionButton, Panel, Picture, ProgressBar, ListView, ComboBox, UpDown
};

// Colours in the old system's form 0xBBGGRR.
inline constexpr int kRed = 255;
inline constexpr int kGreen = 65280;
inline constexpr int kDefaultColor = -1;

class Window;

class Control {
public:
    Control(Window& owner, ControlKind kind, std::string name, Control* parent = nullptr);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Window& Owner() const { return owner_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    Control* Parent() const { return parent_; }

    // Caption of buttons, labels, check boxes and options; text of text boxes (UTF-8).
    std::string Caption;
    std::string ToolTip;
    // What a screen reader calls the control when its caption does not say it: a
    // picture button, a text box (the title of its panel), a panel without a caption.
    std::string AccessibleName;
    std::string Picture;  // resource name of a picture button or picture box
    Rect Geometry;
    bool Visible = true;
    bool Enabled = true;
    bool MultiLine = false;
    bool ReadOnly = false;  // a text box that shows, not takes, a text
    // Check box: 0 unchecked, 1 checked. Option button: 0 off, 1 on. Progress bar:
    // 0 to 100 percent, kBusy while the share done cannot be told.
    int Value = 0;
    static constexpr int kBusy = -1;
    // Back colour of a button (kRed, kGreen, ...); kDefaultColor leaves the style's own.
    int BackColor = kDefaultColor;
    // Font size in points of a label or text box; 0 leaves the window's font.
    int FontSize = 0;
    // Options in the same parent panel form one group.

    // Text box text; setting it runs OnChange when it differs.
    const std::string& Text() const { return text_; }
    void SetText(std::string text);

    // Check box / option value with its click handling (as a user click would).
    void SetValue(int value);

    // Moves the window's focus here and runs OnFocus, whoever moved it: the user
    // (mouse or keyboard, through the front end) or the logic itself.
    void SetFocus();
    bool HasFocus() const;

    // The accessible name, or else the caption.
    const std::string& SpokenName() const { return AccessibleName.empty() ? Caption : AccessibleName; }

    std::function<void()> OnClick;
    std::function<void()> OnChange;
    std::function<void()> OnEnter;  // the Enter key in a text box
    std::function<void()> OnFocus;  // the control received the focus

    // What a front end calls when the user acts.
    void Click();
    void PressEnter();

    // Change notice: grows whenever the text, the value or (for the list, combo and
    // spin models) any of their content changes through their functions, so that a
    // front end redraws only a control whose revision moved. The plain fields above
    // (Caption, Visible, ...) are cheap to compare and carry no notice.
    unsigned long Revision() const { return revision_; }
    void Touch() { ++revision_; }

private:
    Window& owner_;
    ControlKind kind_;
    std::string name_;
    Control* parent_;
    std::string text_;
    unsigned long revision_ = 0;
};

class Window {
public:
    explicit Window(std::string name) : name_(std::move(name)) {}
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& Name() const { return name_; }
    std::string Caption;
    Rect Geometry;
    std::string BackgroundPicture;
    bool Visible = false;
    bool Minimized = false;
    // The control that takes the room when the user enlarges the window; without
    // one the window keeps the size the logic gives it. The size the logic gives
    // stays the least and the default. Controls beyond the right edge of this one
    // move right with it, those reaching down to its lower edge or below move down.
    Control* Stretch = nullptr;

    const std::vector<Control*>& Controls() const { return controls_; }
    Control* Find(const std::string& name) const;
    Control* Focus() const { return focus_; }
    void SetFocus(Control* control) { focus_ = control; }

    // Called by the host when the user closes the window with its frame button.
    std::function<void()> OnClose;
    // Called by the host when the user presses Esc in the window; nothing happens
    // when the window gives no handler.
    std::function<void()> OnEscape;

private:
    friend class Control;
    std::string name_;
    std::vector<Control*> controls_;
    Control* focus_ = nullptr;
};

}  // namespace tabulizer::ui
