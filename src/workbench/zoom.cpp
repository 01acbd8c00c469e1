#include "workbench/zoom.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include <QAction>
#include <QWheelEvent>

#include "editor/qt/synedit.h"
#include "workbench/console.h"
#include "workbench/workbench_settings.h"

namespace marlinet::workbench {

namespace {

constexpr std::string_view kZoomSetting = "Zoom";
constexpr int kWheelStep = 120; // one notch

int Scaled(int Pixels, int Percent) {
    return std::max((Pixels * Percent + 50) / 100, 1);
}

int NearestLevel(int Percent) {
    return *std::min_element(
        std::begin(TZoom::kLevels), std::end(TZoom::kLevels),
        [Percent](int a, int b) { return std::abs(a - Percent) < std::abs(b - Percent); });
}

} // namespace

TZoom::TZoom(editor::qt::TSynEdit& Editor, TConsole& Console, TWorkbenchSettings& Settings,
             QObject* Parent)
    : QObject(Parent), editor_(Editor), console_(Console), settings_(Settings),
      editorHeight_(Editor.Core().Font().Height()),
      gutterHeight_(Editor.Core().Gutter().Font().Height()),
      consoleHeight_(Console.font().pixelSize()) {
    ZoomInAction = new QAction(QStringLiteral("Zoom &in"), this);
    // Ctrl+= too: the same key without Shift on most layouts.
    ZoomInAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(ZoomInAction, &QAction::triggered, this, &TZoom::ZoomIn);
    ZoomOutAction = new QAction(QStringLiteral("Zoom &out"), this);
    ZoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(ZoomOutAction, &QAction::triggered, this, &TZoom::ZoomOut);
    NormalSizeAction = new QAction(QStringLiteral("&Normal size"), this);
    connect(NormalSizeAction, &QAction::triggered, this, &TZoom::NormalSize);

    Editor.viewport()->installEventFilter(this);
    Console.viewport()->installEventFilter(this);
    percent_ = NearestLevel(Settings.ReadInteger(kZoomSetting).value_or(kNormal));
    if (percent_ != kNormal) Apply();
}

void TZoom::SetPercent(int Value) {
    const int level = NearestLevel(Value);
    if (level == percent_) return;
    percent_ = level;
    Apply();
    settings_.WriteInteger(kZoomSetting, percent_);
}

void TZoom::ZoomIn() {
    Step(1);
}

void TZoom::ZoomOut() {
    Step(-1);
}

void TZoom::Step(int Levels) {
    const int count = static_cast<int>(std::size(kLevels));
    const int current = static_cast<int>(
        std::find(std::begin(kLevels), std::end(kLevels), percent_) - std::begin(kLevels));
    SetPercent(kLevels[std::clamp(current + Levels, 0, count - 1)]);
}

void TZoom::Apply() {
    editor::TCustomSynEdit& core = editor_.Core();
    core.Font().SetHeight(Scaled(editorHeight_, percent_));
    core.Gutter().Font().SetHeight(Scaled(gutterHeight_, percent_));
    QFont font = console_.font();
    font.setPixelSize(Scaled(consoleHeight_, percent_));
    console_.setFont(font);
}

bool TZoom::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::Wheel) return QObject::eventFilter(Watched, Event);
    const auto* wheel = static_cast<QWheelEvent*>(Event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    wheel_ += wheel->angleDelta().y();
    const int steps = wheel_ / kWheelStep;
    wheel_ %= kWheelStep;
    if (steps != 0) Step(steps);
    return true; // Ctrl+wheel zooms; it never scrolls
}

} // namespace marlinet::workbench
