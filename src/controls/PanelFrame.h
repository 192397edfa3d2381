#pragma once
// The chiselled border of a panel: takes over a black-frame static and paints only a 2-pixel 3D edge along
// its client rectangle, raised or sunken, in the current system colours. It paints no background and lets
// the mouse through to whatever lies under it.

#include <QWidget>

class CPanelFrame : public QWidget
{
    Q_OBJECT

public:
    enum EEdge
    {
        EDGE_RAISED,
        EDGE_SUNKEN,
    };

    explicit CPanelFrame(EEdge eEdge);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    bool m_bSunken;
};
