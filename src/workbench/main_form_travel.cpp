// Stepping back and the I/O timeline in the main window: Debug > Step back
// (Shift+F7) and Run back (Ctrl+Shift+F7), View > I/O timeline, File >
// Export timeline..., and showing a past moment: the line with the
// execution arrow, the variables, the board's outputs, the call stack and
// the console's text as they were then. The console gives back the text
// printed after the moment while it is shown and prints it again when the
// window returns to the present; going on from the past leaves it out.
#include <algorithm>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

#include "editor/qt/synedit.h"
#include "workbench/board_panel.h"
#include "workbench/call_stack_view.h"
#include "workbench/console.h"
#include "workbench/debugger_commands.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"
#include "workbench/timeline_export.h"
#include "workbench/timeline_widget.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {

void TMainForm::MakeTravel() {
    Timeline = new TTimelineWidget(execution_->History(), this);
    Timeline->setWindowFlag(Qt::Window);
    Timeline->resize(Timeline->sizeHint());
    Timeline->SetTravel([this](std::uint64_t Statement) {
        execution_->TravelTo(Statement);
        ShowRunState();
    });

    DebugMenu->addSeparator();
    StepBackAction = DebugMenu->addAction(QStringLiteral("Ste&p back"));
    StepBackAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    connect(StepBackAction, &QAction::triggered, this, &TMainForm::StepBackClick);
    RunBackAction = DebugMenu->addAction(QStringLiteral("Ru&n back"));
    RunBackAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7));
    connect(RunBackAction, &QAction::triggered, this, &TMainForm::RunBackClick);
    // Shown enabled while there is a history to travel in. A disabled action
    // takes no shortcut, so they are enabled again as the menu closes: the
    // commands check for themselves.
    const auto enable = [this](bool Can) {
        StepBackAction->setEnabled(Can);
        RunBackAction->setEnabled(Can);
    };
    connect(DebugMenu, &QMenu::aboutToShow, this,
            [this, enable] { enable(execution_->CanTravel()); });
    connect(DebugMenu, &QMenu::aboutToHide, this, [enable] { enable(true); });

    ViewMenu->addSeparator();
    connect(ViewMenu->addAction(QStringLiteral("I/O &timeline")), &QAction::triggered, this,
            &TMainForm::ShowTimeline);

    QAction* exportAction = new QAction(QStringLiteral("Export &timeline..."), FileMenu);
    FileMenu->insertAction(FileMenu->actions().constLast(), exportAction);
    connect(exportAction, &QAction::triggered, this, &TMainForm::ExportTimeline);
}

void TMainForm::StepBackClick() {
    execution_->StepBack();
    ShowRunState();
}

void TMainForm::RunBackClick() {
    execution_->RunBack();
    ShowRunState();
}

void TMainForm::ShowTimeline() {
    if (!Timeline->isVisible()) {
        // Beside the main window, on the side where the screen has room;
        // kept on the screen when neither side has.
        const QRect frame = frameGeometry();
        const QRect room = screen()->availableGeometry();
        const QSize size = Timeline->size();
        int x = frame.right() + 8;
        if (x + size.width() > room.right()) x = frame.left() - 8 - size.width();
        if (x < room.left()) x = std::max(room.left(), room.right() - size.width());
        const int y = std::clamp(frame.top(), room.top(),
                                 std::max(room.top(), room.bottom() - size.height()));
        Timeline->move(x, y);
        Timeline->Refresh();
    }
    Timeline->show();
    Timeline->raise();
}

void TMainForm::ExportTimeline() {
    const std::optional<QString> name = dialogs_->AskExportFileName(this, {});
    if (name) ExportTimelineTo(*name);
}

bool TMainForm::ExportTimelineTo(const QString& FileName) {
    const QString error = workbench::ExportTimeline(execution_->History(), *Timeline, FileName);
    if (error.isEmpty()) return true;
    dialogs_->ShowError(this, error);
    return false;
}

machine::BoardOutputs TMainForm::Outputs() const {
    machine::BoardOutputs outputs;
    for (int i = 0; i < 4; ++i)
        outputs.lamps[static_cast<std::size_t>(i)] = Board->OutputOn(i + 1);
    bool ok = false;
    const int dac = Board->DacField()->text().trimmed().toInt(&ok);
    if (ok) outputs.dac = static_cast<std::int16_t>(dac);
    outputs.adc = Board->Model().SelectedAdc();
    return outputs;
}

void TMainForm::ShowTime(const TTimeView& View) {
    const machine::PastState& state = View.State;
    if (!View.Present && !presentStatus_) presentStatus_ = StatusBar1->PanelText(2);
    for (int i = 0; i < 4; ++i)
        state.outputs.lamps[static_cast<std::size_t>(i)] ? Board->SetOutput(i + 1)
                                                         : Board->ClearOutput(i + 1);
    if (state.outputs.dac)
        Board->WriteDac(*state.outputs.dac);
    else
        Board->DacField()->setText(QStringLiteral("0"));
    Board->SelectAdc(state.outputs.adc);
    StringGrid1->SetEditable(View.Present);
    StringGrid1->RefreshGrid(state.variables);
    StringGrid1->ClearMarks();
    if (View.RemovePrinted > 0) Console->RemoveLastPrinted(View.RemovePrinted);
    if (!View.Reprint.empty()) Console->Print(View.Reprint);

    editor::TSynMarkerSet& markers = SynEdit1->Markers();
    const bool paused = RunState() == basic::RunState::Stopped;
    if (View.Present && !paused) {
        // An ended run shows no line.
        markers.SetExecutionLine(0);
        LeaveProgramLine();
        Debugger->CallStackView()->ShowNoPause();
    } else {
        markers.SetExecutionLine(state.line);
        shownLine_ = support::TProgramLine{state.line};
        SynEdit1->Core().ShowProgramLine(shownLine_);
        Debugger->CallStackView()->ShowCalls(state.call_stack);
    }
    if (View.Present) {
        if (presentStatus_) SetErrorText(*presentStatus_);
        presentStatus_.reset();
        Timeline->SetShownTime(std::nullopt);
    } else {
        Timeline->SetShownTime(state.time_us);
    }
}

} // namespace marlinet::workbench
