// Zoom: the size of the editor's text (and its gutter's line numbers) and
// of the console's, in steps from half to three times the design size.
// Ctrl+plus, Ctrl+minus and Ctrl with the mouse wheel over either pane step
// it; Normal size goes back to the design size (Ctrl+0 stays the editor's
// Go to bookmark 0). The size is kept in the settings store and comes back
// with the next window.
#pragma once

#include <QObject>

class QAction;

namespace marlinet::editor::qt {
class TSynEdit;
}

namespace marlinet::workbench {

class TConsole;
class TWorkbenchSettings;

class TZoom : public QObject {
    Q_OBJECT

public:
    // The sizes, in percent of the design size.
    static constexpr int kLevels[] = {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
    static constexpr int kNormal = 100;

    // Takes the present fonts as the design sizes and applies the stored
    // zoom. Every argument must outlive the zoom.
    TZoom(editor::qt::TSynEdit& Editor, TConsole& Console, TWorkbenchSettings& Settings,
          QObject* Parent);

    int Percent() const { return percent_; }
    // To the level nearest Value, applied and stored.
    void SetPercent(int Value);
    void ZoomIn();
    void ZoomOut();
    void NormalSize() { SetPercent(kNormal); }

    // View menu entries (with their keys).
    QAction* ZoomInAction = nullptr;
    QAction* ZoomOutAction = nullptr;
    QAction* NormalSizeAction = nullptr;

protected:
    // Ctrl+wheel over the editor or the console.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Apply();
    void Step(int Levels);

    editor::qt::TSynEdit& editor_;
    TConsole& console_;
    TWorkbenchSettings& settings_;
    int editorHeight_; // design sizes in pixels
    int gutterHeight_;
    int consoleHeight_;
    int percent_ = kNormal;
    int wheel_ = 0; // wheel angle not yet a whole step
};

} // namespace marlinet::workbench
