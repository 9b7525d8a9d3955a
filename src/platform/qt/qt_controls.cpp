// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_controls.h"

#include <algorithm>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "platform/label_fit.h"
#include "platform/qt/qt_convert.h"

namespace orvane::qt {

void PostClick(QObject* context, const std::function<void()>& handler)
{
    QMetaObject::invokeMethod(
        context, [&handler] { if (handler) handler(); }, Qt::QueuedConnection);
}

namespace {

// A left press and release inside the widget is a click. A widget whose
// handler is unset passes the mouse on to the playfield below it, so that
// the player can draw across it.
class ClickTarget {
public:
    ClickTarget(const std::function<void()>& onClick, const std::function<void()>* onDoubleClick)
        : onClick_(onClick), onDoubleClick_(onDoubleClick)
    {
    }

    void press(QMouseEvent& event)
    {
        pressed_ = event.button() == Qt::LeftButton && wanted();
        event.setAccepted(pressed_);
    }

    void release(QWidget& widget, QMouseEvent& event)
    {
        if (event.button() != Qt::LeftButton || !pressed_) {
            event.ignore();
            return;
        }
        pressed_ = false;
        if (secondPress_) secondPress_ = false;
        else if (widget.rect().contains(event.position().toPoint())) PostClick(&widget, onClick_);
    }

    // The second press of a double click is no click of its own.
    void doubleClick(QWidget& widget, QMouseEvent& event)
    {
        if (event.button() != Qt::LeftButton || !onDoubleClick_ || !*onDoubleClick_) {
            press(event);
            return;
        }
        pressed_ = secondPress_ = true;
        PostClick(&widget, *onDoubleClick_);
    }

private:
    bool wanted() const { return onClick_ || (onDoubleClick_ && *onDoubleClick_); }

    const std::function<void()>& onClick_;
    const std::function<void()>* onDoubleClick_;
    bool pressed_ = false;
    bool secondPress_ = false;
};

template <typename Base>
class Clickable : public Base {
public:
    Clickable(QWidget* parent, const std::function<void()>& onClick,
              const std::function<void()>* onDoubleClick = nullptr)
        : Base(parent), target_(onClick, onDoubleClick)
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { target_.press(*event); }
    void mouseReleaseEvent(QMouseEvent* event) override { target_.release(*this, *event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { target_.doubleClick(*this, *event); }
    void mouseMoveEvent(QMouseEvent* event) override { event->ignore(); }

private:
    ClickTarget target_;
};

void SetTextColour(QWidget& widget, Colour colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    widget.setPalette(palette);
}

} // namespace

// --- Frame ---

QtFrame::QtFrame(const FrameDesign& design, QWidget* parent) : widget_(new QFrame(parent))
{
    // The panel shows no border and no caption: only its labels.
    widget_->setFrameShape(QFrame::NoFrame);
    widget_->setGeometry(ToQRect(design.place));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, ToQColor(design.background));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
    widget_->setVisible(design.visible);
}

// --- Label ---

QtLabel::QtLabel(const LabelDesign& design, QWidget* parent)
    : widget_(new Clickable<QLabel>(parent, onClick)), designed_(design.place),
      colour_(design.foreColour)
{
    widget_->setTextFormat(Qt::PlainText);
    widget_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget_->setFont(ToQFont(design.font));
    widget_->setAutoFillBackground(false);
    widget_->setAttribute(Qt::WA_TranslucentBackground);
    // The panel's labels show values only; the mouse goes through them to
    // the playfield.
    if (design.parent) widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->setContentsMargins(LabelTextInset(design.place), 0, 0, 0);
    SetTextColour(*widget_, colour_);
    setCaption(design.caption);
    widget_->setVisible(design.visible);
}

void QtLabel::setCaption(const std::string& caption)
{
    widget_->setText(ToQString(caption));
    fitText();
}

void QtLabel::setVisible(bool visible)
{
    widget_->setVisible(visible);
    // The window paints what is pending now, with the label in it, and the
    // first use of its font with it: the game shows a label as the last
    // step before it goes on (the speed test reads its clock next), and
    // that work belongs to the label's showing, not to what follows.
    if (visible && widget_->window()->isVisible())
        QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateRequest);
}

std::string QtLabel::caption() const { return ToStdString(widget_->text()); }

void QtLabel::setForeColour(Colour colour)
{
    colour_ = colour;
    SetTextColour(*widget_, colour);
}

void QtLabel::setCustomPointer(bool on)
{
    if (on) widget_->setCursor(Qt::PointingHandCursor);
    else widget_->unsetCursor();
}

void QtLabel::fitText()
{
    const QSize text = widget_->sizeHint();
    const QWidget* parent = widget_->parentWidget();
    const Size room = parent ? Size{parent->width(), parent->height()} : Size{designed_.w, designed_.h};
    widget_->setGeometry(ToQRect(FitLabel(designed_, {text.width(), text.height()}, room)));
}

// --- Image area ---

QtImageArea::QtImageArea(const ImageAreaDesign& design, QWidget* parent)
    : widget_(new Clickable<QWidget>(parent, onClick, &onDoubleClick))
{
    widget_->setGeometry(ToQRect(design.place));
    if (design.customPointer) widget_->setCursor(Qt::PointingHandCursor);
    widget_->show();
}

// --- List box ---

namespace {

// Rows as tall as the font's line, and taller where capitals' accents rise
// above its ascent (the dots of "Ü", the ring of "Å"): the text is centred
// in its row and clipped to it.
class AccentRoom : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics& metrics = option.fontMetrics;
        const int accents = -metrics.tightBoundingRect(QStringLiteral("\u00C5\u00C9\u00DC")).top();
        size.setHeight(std::max(size.height(), metrics.height() + 2 * std::max(0, accents - metrics.ascent())));
        return size;
    }
};

} // namespace

QtListBox::QtListBox(const ListBoxDesign& design, QWidget* parent) : widget_(new QListWidget(parent))
{
    widget_->setSortingEnabled(false);
    widget_->setItemDelegate(new AccentRoom(widget_));
    widget_->setGeometry(ToQRect(design.place));
    widget_->show();
}

void QtListBox::addItem(const std::string& item) { widget_->addItem(ToQString(item)); }

void QtListBox::insertItem(int index, const std::string& item)
{
    widget_->insertItem(std::clamp(index, 0, count()), ToQString(item));
}

std::string QtListBox::item(int index) const
{
    const QListWidgetItem* it = index >= 0 && index < count() ? widget_->item(index) : nullptr;
    return it ? ToStdString(it->text()) : std::string();
}

// --- Button ---

QtButton::QtButton(const ButtonDesign& design, QWidget* parent)
    : widget_(new QPushButton(LiteralCaption(design.caption), parent))
{
    widget_->setGeometry(ToQRect(design.place));
    widget_->setDefault(design.isDefault);
    QObject::connect(widget_, &QPushButton::clicked, widget_, [this] { PostClick(widget_, onClick); });
    widget_->show();
}

// --- Timer ---

QtTimer::QtTimer(const TimerDesign& design, QObject* parent) : timer_(new QTimer(parent))
{
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(design.intervalMs);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { if (onTick) onTick(); });
    setEnabled(design.enabled);
}

void QtTimer::setEnabled(bool enabled)
{
    // A timer without an interval never ticks, as a disabled one.
    if (enabled && timer_->interval() > 0) {
        if (!timer_->isActive()) timer_->start();
    } else {
        timer_->stop();
    }
}

} // namespace orvane::qt
