// The I/O timeline: the board's signals of the window's run against time,
// one strip each (lamps, the inputs and RX as read, the ADC selection, the
// ADC readings and the DAC as stepped traces with their values, and marks for
// INPUT, PRINT, pauses, errors and the end), drawn from the history's
// per-pixel-column minimum and maximum, so that a million events draw as a
// few thousand lines.
//
// The wheel zooms about the mouse, a drag pans, the cursor line shows the
// time, statement and program line under the mouse, and a click travels to
// that moment. While the view reaches the end of the history it follows a
// running program; a timer coalesces redraws to at most 30 a second. Window
// thread only; the history may be recording on another thread meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QTimer>
#include <QWidget>

#include "machine/timeline.h"

namespace marlinet::workbench {

class TTimelineWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int kNameWidth = 96;  // the strips' names on the left
    static constexpr int kAxisHeight = 22; // the time axis on top
    static constexpr int kStripHeight = 20;
    static constexpr int kInfoHeight = 20; // the cursor's text at the bottom
    static constexpr int kRefreshMs = 33;

    explicit TTimelineWidget(const machine::History& History, QWidget* Parent = nullptr);

    // Called with the statement of the moment a click chose.
    void SetTravel(std::function<void(std::uint64_t)> Travel) { travel_ = std::move(Travel); }
    // The moment the window shows (a line at its time); nothing: the present.
    void SetShownTime(std::optional<std::int64_t> TimeUs);

    // The times shown; the whole history until the user zooms.
    void SetView(std::int64_t FromUs, std::int64_t ToUs);
    std::int64_t ViewFrom() const { return from_; }
    std::int64_t ViewTo() const { return to_; }
    bool Follows() const { return follow_; }
    // The top of strip S's row, and the pixel column of a time.
    static int StripTop(machine::Strip S) {
        return kAxisHeight + static_cast<int>(S) * kStripHeight;
    }
    int ColumnOf(std::int64_t TimeUs) const;
    std::int64_t TimeAt(int X) const;
    // Follows the history's end now (as the timer does).
    void Refresh();
    // How many times the cursor's moment was looked up (each may replay up
    // to a snapshot interval of statements).
    int PlaceLookups() const { return placeLookups_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    int PlotWidth() const { return std::max(width() - kNameWidth, 1); }
    void PaintAxis(QPainter& Painter) const;
    void PaintStrip(QPainter& Painter, machine::Strip S) const;
    void PaintCursor(QPainter& Painter) const;
    // The text under the cursor line at time TimeUs: looked up once per time,
    // and again only when the history changed at or before that time.
    QString CursorText(std::int64_t TimeUs) const;

    const machine::History& history_;
    machine::TimelineModel model_;
    mutable machine::TimelineColumns columns_;
    QTimer timer_;
    std::function<void(std::uint64_t)> travel_;
    std::int64_t from_ = 0;
    std::int64_t to_ = 1000000; // 1 s before anything is recorded
    bool whole_ = true;         // shows the whole history
    bool follow_ = true;        // keeps the history's end in view
    std::int64_t seenEnd_ = -1;
    std::optional<std::int64_t> shownTime_;
    std::optional<int> cursorX_;
    struct CursorPlace {
        std::int64_t time = 0;
        std::uint64_t last = 0; // the latest statement recorded then
        bool atEnd = false;     // the moment found was that latest one
        QString text;
    };
    mutable std::optional<CursorPlace> cursorPlace_;
    mutable int placeLookups_ = 0;
    std::optional<QPoint> pressedAt_;
    std::int64_t pressedFrom_ = 0;
    bool dragged_ = false;
};

} // namespace marlinet::workbench
