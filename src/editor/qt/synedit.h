// TSynEdit: the editor as a Qt widget. It owns the Qt-free core
// (TCustomSynEdit), is its window, and turns Qt's events into the core's
// input calls. Scroll-area style: a framed viewport with a vertical scroll
// bar; the core paints the viewport and moves its pixels when it scrolls.
// A press in the gutter is reported (gutterClicked) instead of placing the
// caret, so that the window can toggle a breakpoint or offer a menu there.
//
// Only the thread that owns the widget may call it.
#pragma once

#include <memory>
#include <string>

#include <QAbstractScrollArea>
#include <QRegion>
#include <QTimer>

#include "editor/custom_synedit.h"
#include "editor/platform.h"

class QLabel;

namespace marlinet::editor::qt {

class TSynEdit : public QAbstractScrollArea, public TSynEditWindow {
    Q_OBJECT

public:
    explicit TSynEdit(QWidget* Parent = nullptr);
    ~TSynEdit() override;

    TCustomSynEdit& Core() { return *core_; }
    const TCustomSynEdit& Core() const { return *core_; }

    // What the workbench uses.
    TSynEditStringList& Lines() { return core_->Lines(); }
    TSynSelectionMode SelectionMode() const { return core_->SelectionMode(); }
    void SetSelectionMode(TSynSelectionMode Value) { core_->SetSelectionMode(Value); }
    int SelStart() const { return core_->SelStart(); }
    void SetSelStart(int Value) { core_->SetSelStart(Value); }
    int SelLength() const { return core_->SelLength(); }
    void SetSelLength(int Value) { core_->SetSelLength(Value); }
    // Fires for every key before the editor translates it; setting the key
    // to 0 swallows it.
    TKeyEvent& OnKeyDown() { return core_->OnKeyDown; }
    // Bookmarks, breakpoints, the execution point and the error line, on
    // 1-based lines that follow every edit (editor/markers.h).
    TSynMarkerSet& Markers() { return core_->Markers(); }

    // Number of viewport paint passes so far (for measurements).
    int PaintCount() const { return paintCount_; }
    // The caret rectangle in viewport pixels and whether it is drawn now.
    QRect CaretRect() const { return QRect(caretPos_, caretSize_); }
    bool CaretVisible() const { return caretExists_ && caretShown_; }
    bool HintVisible() const;
    QString HintText() const;
    QRect HintGeometry() const;

    // --- TSynEditWindow ----------------------------------------------------
    bool HandleAllocated() const override { return true; }
    bool Visible() const override { return isVisible(); }
    int ClientWidth() const override;
    int ClientHeight() const override;
    void InvalidateRect(const TRect& Rect) override;
    void Update() override;
    void ScrollRect(int Dx, int Dy, const TRect& ScrollRect) override;
    void StatusChanged(TSynStatusChanges) override {}
    TSynFontEngine* FontEngine() override;
    void CreateCaret(int Width, int Height) override;
    void DestroyCaret() override;
    void SetCaretPos(int X, int Y) override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetVerticalScrollBar(const TSynScrollInfo& Info) override;
    TSize HintExtent(const std::string& Text, int MaxWidth) override;
    void ShowHint(const std::string& Text, const TRect& Rect, TColor Color) override;
    void HideHint() override;
    bool Focused() const override { return hasFocus(); }
    void SetFocus() override { setFocus(Qt::MouseFocusReason); }
    void SetMouseCapture(bool Capture) override { mouseCaptured_ = Capture; }
    bool MouseCapture() const override { return mouseCaptured_; }
    void StartScrollTimer(int IntervalMs) override;
    void StopScrollTimer() override;
    int WheelScrollLines() const override;
    int DragThreshold() const override;
    bool SetClipboard(const TSynClipboardData& Data) override;
    bool GetClipboard(TSynClipboardData& Data) override;
    void StartDrag(const TSynClipboardData& Data) override;

signals:
    // A press in the gutter on the row of Line (1-based, a line of the
    // text), with the button and modifiers of the press and the pointer's
    // global position, for a menu. The caret and the selection stay. Each
    // press of a double click comes on its own.
    void gutterClicked(int Line, Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers,
                       const QPoint& GlobalPos);
    // Breakpoints were set, cleared, altered, or moved or dropped with their
    // lines. May come while the lines are changing: a receiver must not
    // change the text.
    void breakpointsChanged();

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dragLeaveEvent(QDragLeaveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    // The core scrolls the pixels itself.
    void scrollContentsBy(int, int) override {}

private:
    // What a drag over the viewport would do; accepts or ignores the event.
    void DragAt(QDropEvent* Event);
    void ScrollBarAction(int Action);
    void ScrollBarReleased();
    void BlinkCaret();
    void CaretChanged(const QRect& Old, bool WasDrawn);
    bool CaretDrawn() const { return caretExists_ && caretShown_ && caretBlinkOn_; }
    // The core's gutter clicks and marker changes, passed on as signals.
    void GutterClicked(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                       int Line);
    void MarkersChanged(TObject* Sender, TSynMarkerKinds Kinds, int FirstLine, int LastLine);
    // An arrow over the gutter, the text cursor over the text.
    void UpdateCursor(int X);

    std::unique_ptr<TCustomSynEdit> core_;
    QRegion pending_; // marked for repainting and not yet painted
    TSynScrollInfo scrollInfo_;
    QTimer scrollTimer_;
    QTimer blinkTimer_;
    QLabel* hint_ = nullptr;
    bool mouseCaptured_ = false;
    bool painting_ = false;
    int paintCount_ = 0;

    bool caretExists_ = false;
    bool caretShown_ = false;
    bool caretBlinkOn_ = true;
    QPoint caretPos_;
    QSize caretSize_;
};

} // namespace marlinet::editor::qt
