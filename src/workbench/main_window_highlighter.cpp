#include "workbench/main_window_highlighter.h"

namespace marlinet::workbench {

using namespace highlight;

void LoadMainWindowSettings(TSynVBSyn& Highlighter) {
    Highlighter.BeginLoading();
    Highlighter.IdentifierAttri()->SetForeground(clYellow);
    Highlighter.KeyAttri()->SetForeground(clWhite);
    Highlighter.KeyAttri()->SetStyle(fsBold | fsItalic);
    Highlighter.NumberAttri()->SetForeground(clAqua);
    Highlighter.StringAttri()->SetForeground(kMainWindowStringColor);
    Highlighter.Loaded();
}

std::unique_ptr<TSynVBSyn> CreateMainWindowHighlighter(TComponent* AOwner) {
    auto highlighter = std::make_unique<TSynVBSyn>(AOwner);
    highlighter->SetName("SynVBSyn1");
    LoadMainWindowSettings(*highlighter);
    return highlighter;
}

} // namespace marlinet::workbench
