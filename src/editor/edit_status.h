// The editor's paint lock, state flags and pending status changes. Status
// changes are collected and reported (to the window, then OnStatusChange)
// once no paint lock is held; the outermost release of the lock also carries
// out the scroll-bar and caret updates that waited for it.
#pragma once

#include <exception>

#include "editor/edit_settings.h"

namespace marlinet::editor {

class TSynViewport;
class TSynScroller;
class TSynCaretDisplay;

struct TSynEditStatusContext {
    const TSynViewport& View;
    TSynScroller& Scroller;
    TSynCaretDisplay& Caret;
    const TSynEditEvents& Events;
    TObject* Sender;
};

class TSynEditStatus {
public:
    explicit TSynEditStatus(const TSynEditStatusContext& Context) : ctx_(Context) {}
    TSynEditStatus(const TSynEditStatus&) = delete;
    TSynEditStatus& operator=(const TSynEditStatus&) = delete;

    int PaintLockCount() const { return paintLock_; }
    bool Locked() const { return paintLock_ > 0; }
    void IncPaintLock() { ++paintLock_; }
    // The outermost release runs the deferred updates and reports.
    void DecPaintLock();
    // Lowers the lock without the deferred updates, which stay due (an
    // exception is on its way out).
    void AbandonPaintLock();

    TSynStateFlags& Flags() { return flags_; }
    TSynStateFlags Flags() const { return flags_; }

    // Collects status changes; reported at once unless a paint lock is held.
    void StatusChanged(TSynStatusChanges Changes);
    void Report();

private:
    TSynEditStatusContext ctx_;
    int paintLock_ = 0;
    TSynStateFlags flags_;
    TSynStatusChanges changes_;
};

// Holds the editor's paint lock for its lifetime. The outermost release
// carries out the deferred scroll-bar, caret and status updates; when an
// exception leaves the scope it only releases, and those updates stay due
// for the next release.
class TSynPaintLock {
public:
    explicit TSynPaintLock(TSynEditStatus& Status)
        : status_(Status), exceptions_(std::uncaught_exceptions()) {
        status_.IncPaintLock();
    }
    ~TSynPaintLock() noexcept(false) {
        if (std::uncaught_exceptions() > exceptions_)
            status_.AbandonPaintLock();
        else
            status_.DecPaintLock();
    }
    TSynPaintLock(const TSynPaintLock&) = delete;
    TSynPaintLock& operator=(const TSynPaintLock&) = delete;

private:
    TSynEditStatus& status_;
    int exceptions_;
};

} // namespace marlinet::editor
