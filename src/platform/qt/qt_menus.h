// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The menu bar of a game window. Its top-level entries are commands in
// their own right; an entry that gets entries of its own becomes a
// drop-down, as "Options" does.
#pragma once
#include <memory>
#include <vector>

#include <QAction>
#include <QMenuBar>

#include "platform/controls.h"

namespace orvane::qt {

class QtMenuItem : public MenuItem {
public:
    QtMenuItem(QAction* action, const MenuDesign& design);
    void setCaption(const std::string& caption) override;
    std::string caption() const override { return caption_; }
    void setChecked(bool checked) override;
    bool checked() const override { return checked_; }
    QAction* action() const { return action_; }

private:
    QAction* action_;
    std::string caption_;
    bool checked_ = false;
};

class QtMenuBar {
public:
    explicit QtMenuBar(QMenuBar* bar) : bar_(bar) {}
    MenuItem& add(const MenuDesign& design);
    QMenuBar* widget() const { return bar_; }

private:
    QMenuBar* bar_;
    std::vector<std::unique_ptr<QtMenuItem>> items_;
};

} // namespace orvane::qt
