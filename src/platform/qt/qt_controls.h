// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of a game window on Qt widgets. Each handle points at its
// widget, which the window owns through Qt's parent chain; the window
// deletes its widgets before the handles, so no widget outlives its handle.
#pragma once
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "platform/controls.h"

namespace orvane::qt {

// Runs a click handler once control is back in the event loop rather than
// inside the widget's own mouse handling: the game's handlers may run for
// the rest of the program (the start area's handler runs the main loop).
void PostClick(QObject* context, const std::function<void()>& handler);

class QtFrame : public Frame {
public:
    QtFrame(const FrameDesign& design, QWidget* parent);
    void setVisible(bool visible) override { widget_->setVisible(visible); }
    bool visible() const override { return !widget_->isHidden(); }
    QWidget* widget() const { return widget_; }

private:
    QFrame* widget_;
};

class QtLabel : public Label {
public:
    QtLabel(const LabelDesign& design, QWidget* parent);
    void setCaption(const std::string& caption) override;
    std::string caption() const override;
    void setVisible(bool visible) override;
    bool visible() const override { return !widget_->isHidden(); }
    void setForeColour(Colour colour) override;
    Colour foreColour() const override { return colour_; }
    void setCustomPointer(bool on) override;
    QLabel* widget() const { return widget_; }

private:
    // A text wider or taller than the designed box widens the label about
    // the box's centre; the designed size is the least it has.
    void fitText();

    QLabel* widget_;
    Rect designed_;
    Colour colour_;
};

class QtImageArea : public ImageArea {
public:
    QtImageArea(const ImageAreaDesign& design, QWidget* parent);
    void setVisible(bool visible) override { widget_->setVisible(visible); }
    bool visible() const override { return !widget_->isHidden(); }
    QWidget* widget() const { return widget_; }

private:
    QWidget* widget_;
};

class QtListBox : public ListBox {
public:
    QtListBox(const ListBoxDesign& design, QWidget* parent);
    void clear() override { widget_->clear(); }
    void addItem(const std::string& item) override;
    void insertItem(int index, const std::string& item) override;
    int count() const override { return widget_->count(); }
    std::string item(int index) const override;
    QListWidget* widget() const { return widget_; }

private:
    QListWidget* widget_;
};

class QtButton : public Button {
public:
    QtButton(const ButtonDesign& design, QWidget* parent);
    QPushButton* widget() const { return widget_; }

private:
    QPushButton* widget_;
};

class QtTimer : public Timer {
public:
    QtTimer(const TimerDesign& design, QObject* parent);
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_->isActive(); }

private:
    QTimer* timer_;
};

} // namespace orvane::qt
