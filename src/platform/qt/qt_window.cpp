// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/qt/qt_convert.h"

namespace orvane::qt {

QtWindow::QtWindow(const WindowDesign& design)
    : root_(std::make_unique<QWidget>()), bar_(new QMenuBar(root_.get())),
      playfield_(new Playfield(*this, design, root_.get())), menus_(bar_)
{
    root_->setObjectName(ToQString(design.name));
    root_->setWindowTitle(ToQString(design.caption));
    auto* layout = new QVBoxLayout(root_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Native menu bars drop top-level entries that are commands of their own.
    bar_->setNativeMenuBar(false);
    bar_->hide();
    layout->setMenuBar(bar_);
    layout->addWidget(playfield_);
    root_->installEventFilter(this);
    fixSize();
}

QtWindow::~QtWindow()
{
    if (modalLoop_) modalLoop_->quit();
    // The widgets go before the handles that point at them.
    root_.reset();
}

void QtWindow::fixSize()
{
    root_->layout()->activate();
    root_->setFixedSize(root_->sizeHint());
}

namespace {

// The work area of the screen a window is on; a window not yet shown is on
// the screen of the active one.
QRect WorkArea(const QWidget& window)
{
    QScreen* screen = window.isVisible() || !QApplication::activeWindow() ? window.screen()
                                                                          : QApplication::activeWindow()->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

Size QtWindow::screenSize() const
{
    const QRect work = WorkArea(*root_);
    return {work.width(), work.height()};
}

Size QtWindow::outerSize() const
{
    QSize size = root_->frameGeometry().size();
    return {size.width(), size.height()};
}

// The game asks for its historic outer size, which with today's frames and
// fonts would cut off the playfield's last columns and rows: the window
// keeps the fixed size that shows the menu bar and the whole playfield.
void QtWindow::setOuterSize(Size) { fixSize(); }

void QtWindow::moveTo(int left, int top) { root_->move(WorkArea(*root_).topLeft() + QPoint(left, top)); }

Label& QtWindow::addLabel(const LabelDesign& design)
{
    QWidget* parent = playfield_;
    for (auto& [frame, widget] : frameWidgets_)
        if (frame == design.parent) parent = widget;
    labels_.push_back(std::make_unique<QtLabel>(design, parent));
    return *labels_.back();
}

Frame& QtWindow::addFrame(const FrameDesign& design)
{
    frames_.push_back(std::make_unique<QtFrame>(design, playfield_));
    frameWidgets_.emplace_back(frames_.back().get(), frames_.back()->widget());
    return *frames_.back();
}

ImageArea& QtWindow::addImageArea(const ImageAreaDesign& design)
{
    areas_.push_back(std::make_unique<QtImageArea>(design, playfield_));
    return *areas_.back();
}

Shape& QtWindow::addShape(const ShapeDesign& design) { return playfield_->addShape(design); }

ListBox& QtWindow::addListBox(const ListBoxDesign& design)
{
    lists_.push_back(std::make_unique<QtListBox>(design, playfield_));
    return *lists_.back();
}

Button& QtWindow::addButton(const ButtonDesign& design)
{
    buttons_.push_back(std::make_unique<QtButton>(design, playfield_));
    if (design.isDefault) defaultButton_ = buttons_.back().get();
    if (design.isCancel) cancelButton_ = buttons_.back().get();
    return *buttons_.back();
}

MenuItem& QtWindow::addMenu(const MenuDesign& design)
{
    bar_->show();
    MenuItem& item = menus_.add(design);
    fixSize();
    return item;
}

Timer& QtWindow::addTimer(const TimerDesign& design)
{
    timers_.push_back(std::make_unique<QtTimer>(design, root_.get()));
    return *timers_.back();
}

void QtWindow::show()
{
    fixSize();
    root_->show();
}

void QtWindow::showModal()
{
    fixSize();
    root_->setWindowModality(Qt::ApplicationModal);
    root_->show();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
    if (root_) root_->hide();
}

void QtWindow::close()
{
    root_->hide();
    if (modalLoop_) modalLoop_->quit();
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != root_.get()) return false;
    if (event->type() == QEvent::Close) {
        // The game decides what closing means; without a say, it closes.
        event->ignore();
        if (onUnload) onUnload();
        else close();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QtButton* button = nullptr;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) button = defaultButton_;
        if (key->key() == Qt::Key_Escape) button = cancelButton_;
        if (button) {
            button->widget()->click();
            return true;
        }
    }
    return false;
}

} // namespace orvane::qt
