#include "workbench/timeline_widget.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "machine/history.h"
#include "workbench/text.h"

namespace marlinet::workbench {

using machine::Strip;

namespace {

constexpr int kClickSlop = 3;              // pixels a click may move
constexpr std::int64_t kLeastSpanUs = 100; // the deepest zoom
constexpr double kZoomStep = 1.25;         // per wheel notch

const QColor kBackground{24, 24, 28};
const QColor kGrid{60, 60, 68};
const QColor kText{210, 210, 210};
const QColor kTrace{90, 220, 120};
const QColor kAnalog{240, 200, 80};
const QColor kMark{120, 170, 255};
const QColor kBad{255, 90, 90};
const QColor kCursor{255, 255, 255};
const QColor kShown{255, 160, 40};

bool IsBinary(Strip S) {
    return S <= Strip::AdcSelect;
}

bool IsStepped(Strip S) {
    return static_cast<std::size_t>(S) < machine::kSteppedStripCount;
}

QString Milliseconds(std::int64_t TimeUs) {
    return QString::number(static_cast<double>(TimeUs) / 1000.0, 'f', TimeUs % 1000 ? 3 : 0);
}

// A step of the time axis (in us) that leaves at least MinPixels between
// ticks: 1, 2 or 5 times a power of ten.
std::int64_t AxisStep(std::int64_t SpanUs, int Width, int MinPixels) {
    std::int64_t step = 1;
    for (;;) {
        for (const std::int64_t m : {1, 2, 5}) {
            const std::int64_t s = step * m;
            if (static_cast<double>(s) * Width / static_cast<double>(SpanUs) >= MinPixels) return s;
        }
        step *= 10;
    }
}

} // namespace

TTimelineWidget::TTimelineWidget(const machine::History& History, QWidget* Parent)
    : QWidget(Parent), history_(History), model_(History) {
    setObjectName(QStringLiteral("Timeline"));
    setWindowTitle(QStringLiteral("I/O timeline"));
    setMouseTracking(true);
    setMinimumSize(320, kAxisHeight + static_cast<int>(machine::kStripCount) * kStripHeight +
                            kInfoHeight);
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &TTimelineWidget::Refresh);
}

// The history is followed only while it can be seen: a window never opened
// costs the run nothing.
void TTimelineWidget::showEvent(QShowEvent*) {
    Refresh();
    timer_.start();
}

void TTimelineWidget::hideEvent(QHideEvent*) {
    timer_.stop();
}

QSize TTimelineWidget::sizeHint() const {
    return {900, minimumHeight()};
}

void TTimelineWidget::SetShownTime(std::optional<std::int64_t> TimeUs) {
    shownTime_ = TimeUs;
    update();
}

void TTimelineWidget::SetView(std::int64_t FromUs, std::int64_t ToUs) {
    from_ = FromUs;
    to_ = std::max(ToUs, FromUs + kLeastSpanUs);
    whole_ = false;
    const std::optional<machine::TimelineModel::Span> span = model_.span();
    follow_ = span && to_ >= span->to_us;
    update();
}

void TTimelineWidget::Refresh() {
    const std::optional<machine::TimelineModel::Span> span = model_.span();
    if (!span) return;
    if (span->to_us == seenEnd_) return; // nothing new: no redraw
    seenEnd_ = span->to_us;
    if (whole_) {
        from_ = span->from_us;
        to_ = std::max(span->to_us, span->from_us + kLeastSpanUs);
    } else if (follow_) {
        const std::int64_t width = to_ - from_;
        to_ = std::max(span->to_us, from_ + kLeastSpanUs);
        from_ = to_ - width;
    }
    update();
}

int TTimelineWidget::ColumnOf(std::int64_t TimeUs) const {
    const double at = static_cast<double>(TimeUs - from_) * PlotWidth() /
                      static_cast<double>(std::max<std::int64_t>(to_ - from_, 1));
    return kNameWidth + static_cast<int>(std::floor(at));
}

std::int64_t TTimelineWidget::TimeAt(int X) const {
    const double part = static_cast<double>(X - kNameWidth) / PlotWidth();
    return from_ + static_cast<std::int64_t>(std::llround(part * static_cast<double>(to_ - from_)));
}

// ---- painting ----

void TTimelineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    model_.columns(from_, to_, PlotWidth(), columns_);
    PaintAxis(painter);
    for (std::size_t s = 0; s < machine::kStripCount; ++s)
        PaintStrip(painter, static_cast<Strip>(s));
    PaintCursor(painter);
}

void TTimelineWidget::PaintAxis(QPainter& Painter) const {
    const std::int64_t span = std::max<std::int64_t>(to_ - from_, 1);
    const std::int64_t step = AxisStep(span, PlotWidth(), 80);
    const int bottom = StripTop(Strip::End) + kStripHeight;
    Painter.setPen(kText);
    Painter.drawText(QRect(4, 0, kNameWidth - 8, kAxisHeight), Qt::AlignVCenter,
                     QStringLiteral("ms"));
    for (std::int64_t t = (from_ / step) * step; t <= to_; t += step) {
        if (t < from_) continue;
        const int x = ColumnOf(t);
        Painter.setPen(kGrid);
        Painter.drawLine(x, kAxisHeight - 4, x, bottom);
        Painter.setPen(kText);
        Painter.drawText(x + 3, kAxisHeight - 7, Milliseconds(t));
    }
}

void TTimelineWidget::PaintStrip(QPainter& Painter, Strip S) const {
    const int top = StripTop(S);
    const int high = top + 4;
    const int low = top + kStripHeight - 4;
    Painter.setPen(kGrid);
    Painter.drawLine(0, top + kStripHeight - 1, width(), top + kStripHeight - 1);
    Painter.setPen(kText);
    Painter.drawText(QRect(4, top, kNameWidth - 8, kStripHeight), Qt::AlignVCenter,
                     ToQString(machine::strip_name(S)));
    const int width = columns_.width();
    // The value range of an analog strip over the view, for its trace.
    std::int32_t least = 0;
    std::int32_t most = 1;
    if (!IsBinary(S) && IsStepped(S)) {
        bool any = false;
        for (int c = 0; c < width; ++c) {
            const machine::TimelineCell& cell = columns_.at(S, c);
            if (!cell.known) continue;
            least = any ? std::min(least, cell.min) : cell.min;
            most = any ? std::max(most, cell.max) : cell.max;
            any = true;
        }
        if (most == least) ++most;
    }
    const auto yOf = [&](std::int32_t Value) {
        if (IsBinary(S)) return Value ? high : low;
        return low - static_cast<int>(static_cast<std::int64_t>(Value - least) * (low - high) /
                                      (most - least));
    };
    const QColor colour = S == Strip::Error ? kBad
                          : IsBinary(S)     ? kTrace
                          : IsStepped(S)    ? kAnalog
                                            : kMark;
    int lastLabel = -1000;
    std::optional<std::int32_t> previous;
    for (int c = 0; c < width; ++c) {
        const machine::TimelineCell& cell = columns_.at(S, c);
        const int x = kNameWidth + c;
        if (!IsStepped(S)) {
            if (cell.events == 0) continue;
            Painter.setPen(colour);
            Painter.drawLine(x, high, x, low);
            if (x - lastLabel > 40) {
                Painter.drawText(x + 2, low, QString::number(cell.max));
                lastLabel = x;
            }
            continue;
        }
        if (!cell.known) {
            previous.reset();
            continue;
        }
        Painter.setPen(colour);
        int from = yOf(cell.min);
        int to = yOf(cell.max);
        if (previous && *previous != cell.min) from = yOf(*previous);
        Painter.drawLine(x, std::min(from, to), x, std::max(from, to));
        Painter.drawLine(x, yOf(cell.max), x, yOf(cell.max));
        const bool changed = !previous || *previous != cell.max || cell.min != cell.max;
        if (!IsBinary(S) && changed && x - lastLabel > 40) {
            Painter.setPen(kText);
            Painter.drawText(x + 2, low - 1, QString::number(cell.max));
            lastLabel = x;
        }
        previous = cell.max;
    }
}

void TTimelineWidget::PaintCursor(QPainter& Painter) const {
    const int bottom = StripTop(Strip::End) + kStripHeight;
    if (shownTime_) {
        const int x = ColumnOf(*shownTime_);
        Painter.setPen(QPen(kShown, 1, Qt::DashLine));
        Painter.drawLine(x, kAxisHeight, x, bottom);
    }
    if (!cursorX_ || *cursorX_ < kNameWidth) return;
    const int x = *cursorX_;
    Painter.setPen(kCursor);
    Painter.drawLine(x, kAxisHeight, x, bottom);
    const QString text = CursorText(TimeAt(x));
    Painter.drawText(QRect(4, bottom, width() - 8, kInfoHeight), Qt::AlignVCenter, text);
}

QString TTimelineWidget::CursorText(std::int64_t TimeUs) const {
    const std::optional<machine::History::Extent> extent = history_.extent();
    const std::uint64_t last = extent ? extent->last.statement : 0;
    // A history that grew keeps its earlier moments; one that shrank (a new
    // run, or going on from the past) may have others at that time.
    if (cursorPlace_ && cursorPlace_->time == TimeUs &&
        (last == cursorPlace_->last || (!cursorPlace_->atEnd && last > cursorPlace_->last)))
        return cursorPlace_->text;
    QString text = QStringLiteral("%1 ms").arg(Milliseconds(TimeUs));
    bool atEnd = true;
    if (extent) {
        ++placeLookups_;
        try {
            const machine::TimelineModel::Place place = model_.place_at(TimeUs);
            atEnd = place.moment.statement >= last;
            text += QStringLiteral("   statement %1   line %2")
                        .arg(place.moment.statement)
                        .arg(place.line);
        } catch (const machine::HistoryError&) {
            // A moment the history no longer keeps: the time alone.
        }
    }
    cursorPlace_ = CursorPlace{TimeUs, last, atEnd, text};
    return text;
}

// ---- the mouse ----

void TTimelineWidget::wheelEvent(QWheelEvent* Event) {
    const int notches = Event->angleDelta().y() / 120;
    if (notches == 0) return;
    const int x = static_cast<int>(Event->position().x());
    const std::int64_t at = TimeAt(std::max(x, kNameWidth));
    const double factor = std::pow(kZoomStep, -notches);
    const auto span = static_cast<double>(to_ - from_) * factor;
    const double part = static_cast<double>(at - from_) / static_cast<double>(to_ - from_);
    const auto from = at - static_cast<std::int64_t>(span * part);
    SetView(from, from + std::max<std::int64_t>(static_cast<std::int64_t>(span), kLeastSpanUs));
    Event->accept();
}

void TTimelineWidget::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    pressedAt_ = Event->position().toPoint();
    pressedFrom_ = from_;
    dragged_ = false;
}

void TTimelineWidget::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint at = Event->position().toPoint();
    cursorX_ = at.x();
    if (pressedAt_ && (dragged_ || std::abs(at.x() - pressedAt_->x()) > kClickSlop)) {
        dragged_ = true;
        const std::int64_t span = to_ - from_;
        const auto moved = static_cast<std::int64_t>(static_cast<double>(at.x() - pressedAt_->x()) *
                                                     static_cast<double>(span) / PlotWidth());
        SetView(pressedFrom_ - moved, pressedFrom_ - moved + span);
    }
    update();
}

void TTimelineWidget::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton || !pressedAt_) return;
    const bool click = !dragged_;
    pressedAt_.reset();
    const int x = static_cast<int>(Event->position().x());
    if (!click || x < kNameWidth || !travel_ || !history_.extent()) return;
    try {
        travel_(model_.place_at(TimeAt(x)).moment.statement);
    } catch (const machine::HistoryError&) {
        // Before the kept history: nothing to travel to.
    }
}

void TTimelineWidget::leaveEvent(QEvent*) {
    cursorX_.reset();
    update();
}

} // namespace marlinet::workbench
