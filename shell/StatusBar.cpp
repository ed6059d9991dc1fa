#include "shell/StatusBar.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

TStatusBar::TStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("SB1"));
    // 24 pixels, or more where the font needs it.
    setFixedHeight(std::max(24, fontMetrics().height() + 9));
    setSizeGripEnabled(false);
    for (int i = 0; i < TextPanelCount; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("SB1Panel%1").arg(i));
        label->setFixedWidth(200);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(3);
        addWidget(label);
        m_panels[size_t(i)] = label;
    }
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("SB1Gauge"));
    m_gauge->setFixedWidth(50);
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    m_gauge->setAlignment(Qt::AlignCenter);
    m_gauge->setTextVisible(true);
    // Bar colour 8421440: red 64, green 128, blue 128.
    m_gauge->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid palette(mid); background: palette(base); text-align: center; }"
        "QProgressBar::chunk { background-color: rgb(64, 128, 128); }"));
    addWidget(m_gauge);
}

void TStatusBar::SetPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < TextPanelCount)
        m_panels[size_t(panel)]->setText(text);
}

QString TStatusBar::PanelText(int panel) const
{
    if (panel >= 0 && panel < TextPanelCount)
        return m_panels[size_t(panel)]->text();
    return {};
}

void TStatusBar::SetGauge(int percent)
{
    m_gauge->setValue(std::clamp(percent, 0, 100));
}

int TStatusBar::Gauge() const
{
    return m_gauge->value();
}
