#include "show/CreateVistrano.h"

#include "shell/DialogRows.h"
#include "show/ScreenSizes.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

namespace {

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

QSize ScreenSizeOfItem(int index)
{
    const QList<QSize> sizes = ShowScreenSizes();
    if (index < 0 || index >= sizes.size())
        return {};
    return sizes[index];
}

TfrmCreateVistrano::TfrmCreateVistrano(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmCreateVistrano"));
    setWindowTitle(tr("Vistrano Options"));
    // Taller than the classic 286 pixels for the rows of widescreen and
    // portrait sizes.
    setFixedSize(320, 326);
    setSizeGripEnabled(false);

    Label1 = MakeLabel(this, "Label1", tr("Number Of Slides : "));
    Label1->setGeometry(16, 16, 288, 20);

    rgScreenSize = new QGroupBox(tr(" Optimize for "), this);
    rgScreenSize->setObjectName(QStringLiteral("rgScreenSize"));
    rgScreenSize->setGeometry(16, 44, 288, 124);
    auto *grid = new QGridLayout(rgScreenSize);
    m_screenSizes = new QButtonGroup(this);
    const QList<QSize> sizes = ShowScreenSizes();
    // Two columns, filled top to bottom: the classic sizes on the left, the
    // widescreen and portrait ones on the right.
    const int rows = int(sizes.size() + 1) / 2;
    for (int i = 0; i < sizes.size(); ++i) {
        auto *button = new QRadioButton(ScreenSizeText(sizes[i]), rgScreenSize);
        button->setObjectName(QStringLiteral("rgScreenSizeItem%1").arg(i));
        m_screenSizes->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    m_screenSizes->button(2)->setChecked(true);
    connect(m_screenSizes, &QButtonGroup::idClicked, this, [this] { rgScreenSizeClick(); });

    Label2 = MakeLabel(this, "Label2", tr("Compression"));
    Label2->setGeometry(16, 184, 288, 18);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    tbCompression = new QSlider(Qt::Horizontal, this);
    tbCompression->setObjectName(QStringLiteral("tbCompression"));
    tbCompression->setGeometry(16, 206, 288, 24);
    tbCompression->setRange(0, 60);
    tbCompression->setSingleStep(1);
    tbCompression->setPageStep(10);
    tbCompression->setValue(10);
    tbCompression->setTickPosition(QSlider::NoTicks);
    Label3 = MakeLabel(this, "Label3", tr("Min"));
    Label3->setGeometry(16, 232, 100, 18);
    Label4 = MakeLabel(this, "Label4", tr("Max"));
    Label4->setGeometry(204, 232, 100, 18);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(72, 280, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(172, 280, 75, 25);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    rgScreenSizeClick();
    ArrangeForFont();
}

void TfrmCreateVistrano::ArrangeForFont()
{
    // The design suits a narrow font; a wider or taller one makes the
    // dialog wider and higher, the controls keeping their order.
    Label1->setText(tr("Number Of Slides : ") + QString::number(99999));
    for (QWidget *text : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
                          static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4),
                          static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2)})
        FitText(text);
    Label1->setText(tr("Number Of Slides : "));
    const QSize group = rgScreenSize->sizeHint();
    rgScreenSize->resize(std::max(rgScreenSize->width(), group.width()),
                         std::max(rgScreenSize->height(), group.height()));
    const int inner = std::max({288, Label1->width(), rgScreenSize->width()});
    const int width = 2 * 16 + inner;
    for (QWidget *across : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(rgScreenSize),
                            static_cast<QWidget *>(Label2), static_cast<QWidget *>(tbCompression)})
        across->resize(inner, across->height());
    Label4->move(16 + inner - Label4->width(), Label4->y());
    const int centre = (width - 320) / 2;
    BitBtn1->move(BitBtn1->x() + centre, BitBtn1->y());
    BitBtn2->move(std::max(BitBtn2->x() + centre, BitBtn1->x() + BitBtn1->width() + 8), BitBtn2->y());
    const int bottom = FlowColumn({{{Label1}}, {{rgScreenSize}, 6}, {{Label2}, 6}, {{tbCompression}, 0},
                                   {{Label3, Label4}, 0}, {{BitBtn1, BitBtn2}, 16}});
    setFixedSize(width, std::max(286, bottom + 21));
}

bool TfrmCreateVistrano::Execute(int slideCount)
{
    m_slideCount = slideCount;
    return exec() == QDialog::Accepted;
}

void TfrmCreateVistrano::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Label1->setText(tr("Number Of Slides : ") + QString::number(m_slideCount));
    rgScreenSizeClick();
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

int TfrmCreateVistrano::Compression() const
{
    return tbCompression->value();
}

int TfrmCreateVistrano::ScreenSizeIndex() const
{
    return m_screenSizes->checkedId();
}

void TfrmCreateVistrano::SetScreenSizeIndex(int index)
{
    if (QAbstractButton *button = m_screenSizes->button(index)) {
        button->setChecked(true);
        rgScreenSizeClick();
    }
}

void TfrmCreateVistrano::rgScreenSizeClick()
{
    const QSize size = ScreenSizeOfItem(ScreenSizeIndex());
    if (size.isValid()) {
        m_outputWidth = size.width();
        m_outputHeight = size.height();
    }
}
