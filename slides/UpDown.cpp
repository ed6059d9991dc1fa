#include "slides/UpDown.h"

#include "slides/IntegerText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TUpDown::TUpDown(QLineEdit *associate, int min, int max, int position, QWidget *parent)
    : QWidget(parent), m_associate(associate), m_up(new QToolButton(this)), m_down(new QToolButton(this)), m_min(min),
      m_max(max), m_position(std::clamp(position, min, max))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("Up"));
    m_down->setObjectName(QStringLiteral("Down"));
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    associate->installEventFilter(this);
    associate->setText(QString::number(m_position));
    // Attached: the arrows stand right beside the edit, as high as it.
    setGeometry(associate->geometry().right() + 1, associate->y(), 17, associate->height());
}

int TUpDown::Position() const
{
    if (const std::optional<int> typed = ParseInteger(m_associate->text()))
        m_position = std::clamp(*typed, m_min, m_max);
    return m_position;
}

void TUpDown::SetPosition(int position)
{
    m_position = std::clamp(position, m_min, m_max);
    m_associate->setText(QString::number(m_position));
}

void TUpDown::Step(int delta)
{
    const int from = Position();
    const int to = std::clamp(from + delta, m_min, m_max);
    SetPosition(to);
    m_associate->selectAll();
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    // Attached: where the edit goes, or however high it grows, the arrows
    // go along.
    if (watched == m_associate && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        setGeometry(m_associate->geometry().right() + 1, m_associate->y(), width(), m_associate->height());
    if (watched == m_associate && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
