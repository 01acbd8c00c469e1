#include "editor/qt/synedit.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>

#include "editor/qt/key_mapping.h"
#include "editor/qt/qt_platform.h"

namespace marlinet::editor::qt {

namespace {

constexpr int kHintPadding = 3;

TMouseButton ToMouseButton(Qt::MouseButton Button) {
    switch (Button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

Qt::MouseButton ToQtButton(TMouseButton Button) {
    switch (Button) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    case mbLeft: break;
    }
    return Qt::LeftButton;
}

// The editor's block under its format name, beside the plain text.
QMimeData* ToMimeData(const TSynClipboardData& Data) {
    auto* mime = new QMimeData;
    mime->setText(FromLatin1(Data.Text));
    if (Data.HasBlock)
        mime->setData(QString::fromLatin1(kSynEditClipboardFormat),
                      QByteArray(Data.Block.data(), static_cast<qsizetype>(Data.Block.size())));
    return mime;
}

TSynClipboardData FromMimeData(const QMimeData& Mime) {
    TSynClipboardData data;
    data.Text = ToLatin1(Mime.text());
    const QString format = QString::fromLatin1(kSynEditClipboardFormat);
    if (Mime.hasFormat(format)) {
        const QByteArray block = Mime.data(format);
        data.HasBlock = true;
        data.Block.assign(block.constData(), static_cast<std::size_t>(block.size()));
    }
    return data;
}

Qt::DropAction ToDropAction(TSynDropEffect Effect) {
    switch (Effect) {
    case TSynDropEffect::Copy: return Qt::CopyAction;
    case TSynDropEffect::Move: return Qt::MoveAction;
    case TSynDropEffect::None: break;
    }
    return Qt::IgnoreAction;
}

} // namespace

TSynEdit::TSynEdit(QWidget* Parent) : QAbstractScrollArea(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    // Painting covers every pixel: no background erase, no flicker.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this, &TSynEdit::ScrollBarAction);
    connect(bar, &QAbstractSlider::sliderReleased, this, &TSynEdit::ScrollBarReleased);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { core_->ScrollTimerTick(); });
    connect(&blinkTimer_, &QTimer::timeout, this, &TSynEdit::BlinkCaret);

    // The pointer's shape follows it between the gutter and the text.
    viewport()->setMouseTracking(true);

    core_ = std::make_unique<TCustomSynEdit>(this);
    core_->OnGutterClick = TGutterClickEvent::Of<&TSynEdit::GutterClicked>(this);
    core_->Markers().AddChangeListener(TSynMarkerChangeEvent::Of<&TSynEdit::MarkersChanged>(this));
}

TSynEdit::~TSynEdit() {
    // The core talks to its window until it goes; it must go first.
    core_.reset();
}

int TSynEdit::ClientWidth() const {
    return viewport()->width();
}

int TSynEdit::ClientHeight() const {
    return viewport()->height();
}

TSynFontEngine* TSynEdit::FontEngine() {
    return &TQtFontEngine::Instance();
}

// --- Repainting ------------------------------------------------------------------------

void TSynEdit::InvalidateRect(const TRect& Rect) {
    const QRect r = ToQRect(Rect);
    pending_ += r;
    viewport()->update(r);
}

void TSynEdit::Update() {
    if (pending_.isEmpty() || painting_) return;
    const QRegion region = pending_;
    pending_ = QRegion();
    viewport()->repaint(region);
}

void TSynEdit::ScrollRect(int Dx, int Dy, const TRect& Rect) {
    const QRect r = ToQRect(Rect);
    // The drawn caret moves with the pixels: the place it lands on must be
    // painted again, without it.
    const bool caretMoves = CaretDrawn() && r.intersects(CaretRect());
    viewport()->scroll(Dx, Dy, r);
    // What the move uncovers is painted at the next Update, like any mark.
    QRegion uncovered(r);
    uncovered -= r.translated(Dx, Dy);
    pending_ += uncovered;
    if (caretMoves)
        InvalidateRect({caretPos_.x() + Dx, caretPos_.y() + Dy,
                        caretPos_.x() + Dx + caretSize_.width(),
                        caretPos_.y() + Dy + caretSize_.height()});
}

void TSynEdit::paintEvent(QPaintEvent* Event) {
    ++paintCount_;
    QPainter painter(viewport());
    const QRect caretBefore = CaretRect();
    const bool drawnBefore = CaretDrawn();
    painting_ = true;
    for (const QRect& r : Event->region()) {
        painter.setClipRect(r);
        TQtCanvas canvas(painter, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
        core_->Paint(canvas);
    }
    painting_ = false;
    pending_ -= Event->region();
    if (CaretDrawn()) {
        painter.setClipRegion(Event->region());
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(CaretRect(), Qt::white);
    }
    // The core hides the caret while it paints and shows it again after; only
    // a real change needs the old or new place painted again.
    if (caretBefore != CaretRect() || drawnBefore != CaretDrawn()) {
        if (drawnBefore) viewport()->update(caretBefore);
        if (CaretDrawn()) viewport()->update(CaretRect());
    }
}

void TSynEdit::resizeEvent(QResizeEvent* Event) {
    QAbstractScrollArea::resizeEvent(Event);
    core_->Resize();
}

// --- Caret ---------------------------------------------------------------------------

void TSynEdit::CaretChanged(const QRect& Old, bool WasDrawn) {
    if (painting_) return; // paintEvent compares before and after
    if (WasDrawn) viewport()->update(Old);
    if (CaretDrawn()) viewport()->update(CaretRect());
}

void TSynEdit::CreateCaret(int Width, int Height) {
    const QRect old = CaretRect();
    const bool wasDrawn = CaretDrawn();
    caretExists_ = true;
    caretShown_ = false;
    caretSize_ = QSize(Width, Height);
    CaretChanged(old, wasDrawn);
}

void TSynEdit::DestroyCaret() {
    const QRect old = CaretRect();
    const bool wasDrawn = CaretDrawn();
    caretExists_ = caretShown_ = false;
    blinkTimer_.stop();
    CaretChanged(old, wasDrawn);
}

void TSynEdit::SetCaretPos(int X, int Y) {
    if (caretPos_ == QPoint(X, Y)) return;
    const QRect old = CaretRect();
    const bool wasDrawn = CaretDrawn();
    caretPos_ = QPoint(X, Y);
    // A caret that moves is seen at once, then blinks.
    caretBlinkOn_ = true;
    if (blinkTimer_.isActive()) blinkTimer_.start();
    CaretChanged(old, wasDrawn);
}

void TSynEdit::ShowCaret() {
    if (!caretExists_ || caretShown_) return;
    const bool wasDrawn = CaretDrawn();
    caretShown_ = true;
    caretBlinkOn_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0 && !blinkTimer_.isActive()) blinkTimer_.start(flash / 2);
    CaretChanged(CaretRect(), wasDrawn);
}

void TSynEdit::HideCaret() {
    if (!caretShown_) return;
    const bool wasDrawn = CaretDrawn();
    caretShown_ = false;
    blinkTimer_.stop();
    CaretChanged(CaretRect(), wasDrawn);
}

void TSynEdit::BlinkCaret() {
    caretBlinkOn_ = !caretBlinkOn_;
    viewport()->update(CaretRect());
}

// --- Scroll bar and hint -------------------------------------------------------------

void TSynEdit::SetVerticalScrollBar(const TSynScrollInfo& Info) {
    scrollInfo_ = Info;
    const Qt::ScrollBarPolicy policy =
        Info.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    // Setting a policy lays the area out again, even an unchanged one.
    if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    bar->setRange(Info.Min, std::max(Info.Min, Info.Max - std::max(Info.Page, 1) + 1));
    bar->setPageStep(std::max(Info.Page, 1));
    bar->setSingleStep(1);
    bar->setValue(Info.Position);
    // Qt cannot disable one arrow alone; a bar with nothing to scroll is
    // disabled as a whole.
    bar->setEnabled(Info.UpArrowEnabled || Info.DownArrowEnabled);
}

void TSynEdit::ScrollBarAction(int Action) {
    QScrollBar* bar = verticalScrollBar();
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: core_->WMVScroll(SB_LINEDOWN, 0); break;
    case QAbstractSlider::SliderSingleStepSub: core_->WMVScroll(SB_LINEUP, 0); break;
    case QAbstractSlider::SliderPageStepAdd: core_->WMVScroll(SB_PAGEDOWN, 0); break;
    case QAbstractSlider::SliderPageStepSub: core_->WMVScroll(SB_PAGEUP, 0); break;
    case QAbstractSlider::SliderToMinimum: core_->WMVScroll(SB_TOP, 0); break;
    case QAbstractSlider::SliderToMaximum: core_->WMVScroll(SB_BOTTOM, 0); break;
    case QAbstractSlider::SliderMove: core_->WMVScroll(SB_THUMBTRACK, bar->sliderPosition()); break;
    default: return;
    }
    // The bar shows where the editor went, not where the action would have
    // put it.
    bar->setSliderPosition(scrollInfo_.Position);
}

void TSynEdit::ScrollBarReleased() {
    core_->WMVScroll(SB_THUMBPOSITION, verticalScrollBar()->sliderPosition());
    core_->WMVScroll(SB_ENDSCROLL, 0);
}

TSize TSynEdit::HintExtent(const std::string& Text, int MaxWidth) {
    const QFontMetrics metrics(QApplication::font("QTipLabel"));
    const QRect r = metrics.boundingRect(QRect(0, 0, MaxWidth, 10000),
                                         Qt::TextWordWrap | Qt::AlignLeft, FromLatin1(Text));
    return {r.width() + 2 * kHintPadding, r.height() + 2 * kHintPadding};
}

void TSynEdit::ShowHint(const std::string& Text, const TRect& Rect, TColor Color) {
    if (!hint_) {
        hint_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        hint_->setFont(QApplication::font("QTipLabel"));
        hint_->setMargin(kHintPadding - 1);
        hint_->setFrameStyle(QFrame::Box | QFrame::Plain);
        hint_->setLineWidth(1);
        hint_->setAutoFillBackground(true);
        hint_->setWordWrap(true);
    }
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::Window, ToQColor(Color));
    palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
    hint_->setPalette(palette);
    hint_->setText(FromLatin1(Text));
    const QRect r = ToQRect(Rect);
    hint_->setGeometry(QRect(viewport()->mapToGlobal(r.topLeft()), r.size()));
    hint_->show();
}

void TSynEdit::HideHint() {
    if (hint_) hint_->hide();
}

bool TSynEdit::HintVisible() const {
    return hint_ && hint_->isVisible();
}

QString TSynEdit::HintText() const {
    return hint_ ? hint_->text() : QString();
}

QRect TSynEdit::HintGeometry() const {
    if (!hint_) return {};
    return QRect(viewport()->mapFromGlobal(hint_->pos()), hint_->size());
}

// --- Timer and settings ------------------------------------------------------------------

void TSynEdit::StartScrollTimer(int IntervalMs) {
    scrollTimer_.start(IntervalMs);
}

void TSynEdit::StopScrollTimer() {
    scrollTimer_.stop();
}

int TSynEdit::WheelScrollLines() const {
    return QApplication::wheelScrollLines();
}

int TSynEdit::DragThreshold() const {
    return QApplication::startDragDistance();
}

// --- Clipboard and drag and drop --------------------------------------------------------

bool TSynEdit::SetClipboard(const TSynClipboardData& Data) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setMimeData(ToMimeData(Data));
    return true;
}

bool TSynEdit::GetClipboard(TSynClipboardData& Data) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (!mime) return false;
    Data = FromMimeData(*mime);
    return true;
}

void TSynEdit::StartDrag(const TSynClipboardData& Data) {
    auto* drag = new QDrag(this);
    drag->setMimeData(ToMimeData(Data));
    // The editor the text is dropped on carries the drop out, a move
    // included; the source has nothing left to do afterwards.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void TSynEdit::DragAt(QDropEvent* Event) {
    const QMimeData* mime = Event->mimeData();
    const auto* source = qobject_cast<const TSynEdit*>(Event->source());
    const QPoint p = Event->position().toPoint();
    const TSynDropEffect effect =
        mime && mime->hasText()
            ? core_->DragOver(source ? &source->Core() : nullptr,
                              ShiftStateFromQt(Event->modifiers()), p.x(), p.y())
            : TSynDropEffect::None;
    if (effect == TSynDropEffect::None) {
        Event->ignore();
        return;
    }
    Event->setDropAction(ToDropAction(effect));
    Event->accept();
}

void TSynEdit::dragEnterEvent(QDragEnterEvent* Event) {
    DragAt(Event);
}

void TSynEdit::dragMoveEvent(QDragMoveEvent* Event) {
    DragAt(Event);
}

void TSynEdit::dragLeaveEvent(QDragLeaveEvent* Event) {
    core_->DragLeave();
    Event->accept();
}

void TSynEdit::dropEvent(QDropEvent* Event) {
    const QMimeData* mime = Event->mimeData();
    auto* source = qobject_cast<TSynEdit*>(Event->source());
    const QPoint p = Event->position().toPoint();
    const TSynDropEffect effect =
        mime ? core_->DragDrop(source ? &source->Core() : nullptr, ToLatin1(mime->text()),
                               ShiftStateFromQt(Event->modifiers()), p.x(), p.y())
             : TSynDropEffect::None;
    if (effect == TSynDropEffect::None) {
        Event->ignore();
        return;
    }
    // Done here, a move too: the source must not delete anything itself.
    Event->setDropAction(Qt::CopyAction);
    Event->accept();
    setFocus(Qt::MouseFocusReason);
}

// --- Input ----------------------------------------------------------------------------

bool TSynEdit::event(QEvent* Event) {
    // Tab normally moves the focus on; an editor that wants tabs keeps them.
    if (Event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(Event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            core_->GetDlgCode().Contains(dlgWantTab)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(Event);
}

void TSynEdit::keyPressEvent(QKeyEvent* Event) {
    std::uint16_t key = VirtualKeyFromEvent(*Event);
    bool handled = false;
    if (key != 0) handled = core_->KeyDown(key, ShiftStateFromQt(Event->modifiers()));
    // The characters the key types, one key press each, in the editor's
    // 8-bit text (a character Latin-1 lacks types a '?').
    for (char c : ToLatin1(Event->text())) {
        if (c == '\0') continue;
        core_->KeyPress(c);
        handled = true;
    }
    Event->setAccepted(handled);
}

void TSynEdit::mousePressEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    core_->MouseDown(ToMouseButton(Event->button()),
                     ShiftStateFromQt(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TSynEdit::mouseDoubleClickEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    shift.Include(ssDouble);
    core_->MouseDown(ToMouseButton(Event->button()), shift, p.x(), p.y());
    if (Event->button() == Qt::LeftButton) core_->DblClick(p.x(), p.y());
}

void TSynEdit::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    UpdateCursor(p.x());
    core_->MouseMove(ShiftStateFromQt(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TSynEdit::mouseReleaseEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    core_->MouseUp(ToMouseButton(Event->button()),
                   ShiftStateFromQt(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TSynEdit::UpdateCursor(int X) {
    // A drag in progress keeps the shape it started with.
    if (mouseCaptured_) return;
    const Qt::CursorShape shape = X < core_->GutterWidth() ? Qt::ArrowCursor : Qt::IBeamCursor;
    if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

void TSynEdit::GutterClicked(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y,
                             int Line) {
    emit gutterClicked(Line, ToQtButton(Button), QtModifiersFromShiftState(Shift),
                       viewport()->mapToGlobal(QPoint(X, Y)));
}

void TSynEdit::MarkersChanged(TObject*, TSynMarkerKinds Kinds, int, int) {
    if (Kinds.Contains(mkBreakpoint)) emit breakpointsChanged();
}

void TSynEdit::wheelEvent(QWheelEvent* Event) {
    core_->MouseWheel(Event->angleDelta().y(), ShiftStateFromQt(Event->modifiers()));
    Event->accept();
}

void TSynEdit::focusInEvent(QFocusEvent* Event) {
    QAbstractScrollArea::focusInEvent(Event);
    core_->FocusIn();
}

void TSynEdit::focusOutEvent(QFocusEvent* Event) {
    QAbstractScrollArea::focusOutEvent(Event);
    core_->FocusOut();
}

} // namespace marlinet::editor::qt
