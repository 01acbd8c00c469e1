// StatusBar1: three sunken text panels along the bottom of the window, 50
// and 150 pixels wide and the last running on to the right edge.
#pragma once

#include <array>

#include <QWidget>

class QLabel;

namespace marlinet::workbench {

class TStatusBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 19;
    static constexpr std::array<int, 2> kPanelWidths{50, 150};

    explicit TStatusBar(QWidget* Parent = nullptr);

    void SetPanelText(int Panel, const QString& Text);
    QString PanelText(int Panel) const;
    QRect PanelGeometry(int Panel) const;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    std::array<QLabel*, 3> panels_{};
};

} // namespace marlinet::workbench
