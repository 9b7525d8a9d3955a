// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_menus.h"

#include <algorithm>

#include <QMenu>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_convert.h"

namespace orvane::qt {

QtMenuItem::QtMenuItem(QAction* action, const MenuDesign& design)
    : action_(action), caption_(design.caption)
{
    setChecked(design.checked);
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        // Qt unticks a ticked entry by itself on a click; here the game's
        // handler decides, as it toggles the tick of Display Margins itself.
        setChecked(checked_);
        PostClick(action_, onClick);
    });
}

void QtMenuItem::setCaption(const std::string& caption)
{
    caption_ = caption;
    action_->setText(LiteralCaption(caption));
}

void QtMenuItem::setChecked(bool checked)
{
    checked_ = checked;
    // A checkable entry shows an empty box while unticked, which would make
    // every command of a drop-down look like an option: an entry is
    // checkable only while it carries its tick.
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

MenuItem& QtMenuBar::add(const MenuDesign& design)
{
    // A parent that is not an entry of this bar makes a top-level entry.
    auto parent = std::find_if(items_.begin(), items_.end(),
                               [&](const auto& item) { return item.get() == design.parent; });
    QAction* action = nullptr;
    if (parent == items_.end()) {
        action = bar_->addAction(LiteralCaption(design.caption));
    } else {
        QAction* owner = (*parent)->action();
        QMenu* menu = owner->menu<QMenu*>();
        if (!menu) {
            menu = new QMenu(bar_);
            owner->setMenu(menu);
        }
        action = menu->addAction(LiteralCaption(design.caption));
    }
    items_.push_back(std::make_unique<QtMenuItem>(action, design));
    return *items_.back();
}

} // namespace orvane::qt
