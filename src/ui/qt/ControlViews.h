#pragma once
// The views of the plain controls: buttons, check boxes and options, text boxes,
// labels and pictures, panels and progress bars.
#include <QPixmap>
#include <string>

#include "ui/qt/ControlView.h"

class QAbstractButton;
class QPushButton;

namespace tabulizer::qt {

// Picture and back colour of a command button, and its click.
class ButtonView : public ControlView {
public:
    ButtonView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    void SyncLook() override;
    void SyncPicture();
    void SyncIconSize();
    void SyncBackColor();

    QPushButton* button_;
    std::string picture_;  // the picture name last loaded
    QSize pictureSize_;    // its natural size
    int backColor_ = ui::kDefaultColor;
};

// A check box or an option button: the model decides what a click means.
class CheckView : public ControlView {
public:
    CheckView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    void SyncLook() override;
    void FitCaption();

    QAbstractButton* button_;
    bool toggledByClick_ = false;  // the click under way has already reached the model
};

// A single- or multi-line text box; Enter is the model's Enter and inserts nothing.
class TextBoxView : public ControlView {
public:
    TextBoxView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    bool FilterInput(QObject* watched, QEvent* event) override;
    void SyncLook() override;
    void SyncContent() override;
    void UserEdited(const QString& widgetText);
};

// A label (word-wrapped caption) or a picture box; a click on either is the model's.
class LabelView : public ControlView {
public:
    LabelView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    bool FilterInput(QObject* watched, QEvent* event) override;
    void SyncLook() override;

    std::string picture_;
};

class PanelView : public ControlView {
public:
    PanelView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void SyncLook() override;
};

// 0 to 100 percent, or Qt's busy bar while the share done cannot be told.
class ProgressView : public ControlView {
public:
    ProgressView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void SyncLook() override;
};

}  // namespace tabulizer::qt
