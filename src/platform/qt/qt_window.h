// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A top-level game window on Qt: an in-window menu bar above a content area
// of exactly the designed client size.
#pragma once
#include <memory>
#include <vector>

#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_menus.h"
#include "platform/qt/qt_playfield.h"
#include "platform/window.h"

namespace orvane::qt {

class QtWindow : public Window, public QObject {
public:
    explicit QtWindow(const WindowDesign& design);
    ~QtWindow() override;

    Size screenSize() const override;
    Size outerSize() const override;
    void setOuterSize(Size size) override;
    void moveTo(int left, int top) override;

    Label& addLabel(const LabelDesign& design) override;
    Frame& addFrame(const FrameDesign& design) override;
    ImageArea& addImageArea(const ImageAreaDesign& design) override;
    Shape& addShape(const ShapeDesign& design) override;
    ListBox& addListBox(const ListBoxDesign& design) override;
    Button& addButton(const ButtonDesign& design) override;
    MenuItem& addMenu(const MenuDesign& design) override;
    Timer& addTimer(const TimerDesign& design) override;

    bool setPicture(const std::string& path) override { return playfield_->setPicture(path); }
    void clearPicture() override { playfield_->clearPicture(); }
    void drawLine(const Line& line) override { playfield_->drawLine(line); }
    void clearDrawing() override { playfield_->clearDrawing(); }

    void show() override;
    void showModal() override;
    void close() override;

    QWidget* widget() const { return root_.get(); }
    Playfield* playfield() const { return playfield_; }
    QMenuBar* menuBar() const { return bar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fixSize();

    std::unique_ptr<QWidget> root_;
    QMenuBar* bar_;
    Playfield* playfield_;
    QtMenuBar menus_;
    std::vector<std::unique_ptr<QtFrame>> frames_;
    std::vector<std::unique_ptr<Label>> labels_;
    std::vector<std::unique_ptr<QtImageArea>> areas_;
    std::vector<std::unique_ptr<QtListBox>> lists_;
    std::vector<std::unique_ptr<QtButton>> buttons_;
    std::vector<std::unique_ptr<QtTimer>> timers_;
    std::vector<std::pair<Frame*, QWidget*>> frameWidgets_;
    QtButton* defaultButton_ = nullptr;
    QtButton* cancelButton_ = nullptr;
    QPointer<QEventLoop> modalLoop_;
};

} // namespace orvane::qt
