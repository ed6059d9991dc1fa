#include "about/AboutBox.h"

#include "about/AboutLayout.h"
#include "about/MakerAddresses.h"
#include "about/WebLinks.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

// Sizes are device-independent pixels: Qt scales the whole box with the
// screen's scale factor, fonts included (they are given in pixels too), so
// the box keeps its proportions at any resolution.
constexpr QSize kClientSize(289, 358);
const QColor kSilver(192, 192, 192);
const QColor kVersionColour(86, 63, 39);
const QColor kLinkColour(153, 6, 6);

QFont PixelFont(const QStringList &families, int pixels)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    return font;
}

// The box's own face, and the families that stand in for it where it is not
// installed.
QStringList DialogFamilies()
{
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
}

QStringList ArialFamilies()
{
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
            QStringLiteral("DejaVu Sans")};
}

} // namespace

TFrmAbout::TFrmAbout(QWidget *parent, const TVersionResource &resource)
    : QDialog(parent), m_texts(AboutTexts(resource))
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About ") + AboutProductName());
    setFixedSize(kClientSize);
    setFont(PixelFont(DialogFamilies(), 11));
    QPalette face = palette();
    face.setColor(QPalette::Window, kSilver);
    setPalette(face);
    setAutoFillBackground(true);

    lProductName = MakeLabel(QRect(88, 8, 111, 36), AboutProductName(), PixelFont(ArialFamilies(), 32),
                             palette().color(QPalette::WindowText), Qt::AlignLeft | Qt::AlignTop);
    lProductName->setObjectName(QStringLiteral("lProductName"));
    lVersion = MakeLabel(QRect(0, 64, 289, 33), m_texts.VersionLine, PixelFont(DialogFamilies(), 19), kVersionColour,
                         Qt::AlignHCenter | Qt::AlignTop);
    lVersion->setObjectName(QStringLiteral("lVersion"));
    lCopyright = MakeLabel(QRect(0, 104, 281, 13), m_texts.CopyrightLine, PixelFont(DialogFamilies(), 11),
                           kVersionColour, Qt::AlignHCenter | Qt::AlignTop);
    lCopyright->setObjectName(QStringLiteral("lCopyright"));
    txtEmailAddress = MakeLabel(QRect(72, 264, 157, 13),
                                QStringLiteral("email: ") + QString::fromLatin1(kMakerSupportEmail),
                                PixelFont(DialogFamilies(), 12), kLinkColour, Qt::AlignLeft | Qt::AlignTop);
    txtEmailAddress->setObjectName(QStringLiteral("txtEmailAddress"));
    txtWebSite = MakeLabel(QRect(80, 288, 139, 13), QString::fromLatin1(kMakerWebAddress),
                           PixelFont(DialogFamilies(), 12), kLinkColour, Qt::AlignLeft | Qt::AlignTop);
    txtWebSite->setObjectName(QStringLiteral("txtWebSite"));
    for (QLabel *link : {txtEmailAddress, txtWebSite}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(112, 320, 75, 25);
    btnOK->setDefault(true);
    btnOK->installEventFilter(this);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel *TFrmAbout::MakeLabel(const QRect &geometry, const QString &text, const QFont &font, const QColor &colour,
                             Qt::Alignment alignment)
{
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    QRect fitted = FitLabelToText(geometry, label->sizeHint().width(), kClientSize.width());
    // As high as the font's lines, so that no descender is cut off.
    fitted.setHeight(std::max(fitted.height(), label->sizeHint().height()));
    label->setGeometry(fitted);
    QPalette look = label->palette();
    look.setColor(QPalette::WindowText, colour);
    label->setPalette(look);
    return label;
}

bool TFrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    // Key presses and releases reach the box before the focused button.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        FormKey(event->type() == QEvent::KeyPress, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == txtEmailAddress) {
            OpenSupportMail();
            return true;
        }
        if (watched == txtWebSite) {
            OpenMakerWebSite();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmAbout::keyPressEvent(QKeyEvent *event)
{
    FormKey(true, event);
    QDialog::keyPressEvent(event);
}

void TFrmAbout::keyReleaseEvent(QKeyEvent *event)
{
    FormKey(false, event);
    QDialog::keyReleaseEvent(event);
}

void TFrmAbout::FormKey(bool pressed, QKeyEvent *event)
{
    lVersion->setText(VersionLineAfterKey(m_texts, pressed, event->key(),
                                          event->modifiers().testFlag(Qt::ControlModifier)));
}

void ShowAboutBox(QWidget *parent)
{
    TFrmAbout box(parent);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    box.exec();
}
