// Every text of every window fits the control that shows it, at the font
// the desktop gives and at a large one. CTest runs these tests once more on
// a screen of two device pixels to the point (QT_SCALE_FACTOR=2).

#include "about/AboutBox.h"
#include "app/MainWindow.h"
#include "browser/BookmarkEditor.h"
#include "shell/Messages.h"
#include "show/CreateVistrano.h"
#include "slides/ProjSettings.h"
#include "slides/SlideProperties.h"
#include "tests/support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString Plain(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The width a text needs, its widest line.
int TextWidth(const QFontMetrics &metrics, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(Plain(line)));
    return widest;
}

// What the window shows cut short: each text that is wider or higher than
// its control, and each control that reaches past its parent or into a
// control beside it.
QStringList ClippedTexts(QWidget *window)
{
    QStringList clipped;
    auto report = [&clipped](const QWidget *widget, const QString &text, int needed, int room) {
        clipped << QStringLiteral("%1 \"%2\": needs %3, has %4")
                       .arg(widget->objectName(), text.left(40))
                       .arg(needed)
                       .arg(room);
    };
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || widget->isWindow())
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
            controls << label;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                if (label->heightForWidth(room.width()) > room.height())
                    report(label, label->text(), label->heightForWidth(room.width()), room.height());
                continue;
            }
            const QString text = label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())
                                     ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                     : label->text();
            if (TextWidth(metrics, text) > room.width())
                report(label, text, TextWidth(metrics, text), room.width());
            if (metrics.height() * int(text.count(QLatin1Char('\n')) + 1) > room.height())
                report(label, text, metrics.height(), room.height());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget); button && !button->text().isEmpty()) {
            controls << button;
            // A push button draws its text in the style's contents
            // rectangle, beside its icon; other buttons need their hint.
            int needed = TextWidth(metrics, button->text());
            int room = button->width();
            if (auto *push = qobject_cast<QPushButton *>(button)) {
                QStyleOptionButton option;
                option.initFrom(push);
                option.text = push->text();
                option.icon = push->icon();
                option.iconSize = push->iconSize();
                room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push).width();
                if (!push->icon().isNull())
                    needed += push->iconSize().width() + 4;
            } else {
                needed = button->sizeHint().width();
            }
            if (needed > room)
                report(button, button->text(), needed, room);
            if (metrics.height() > button->height())
                report(button, button->text(), metrics.height(), button->height());
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            controls << list;
            // The longest entry with the list's arrow beside it.
            if (list->sizeHint().width() > list->width())
                report(list, list->currentText(), list->sizeHint().width(), list->width());
        } else if (auto *group = qobject_cast<QGroupBox *>(widget); group && !group->title().isEmpty()) {
            const int needed = TextWidth(metrics, group->title()) + 16;
            if (needed > group->width())
                report(group, group->title(), needed, group->width());
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            controls << edit;
            if (metrics.height() > edit->contentsRect().height())
                report(edit, edit->text(), metrics.height(), edit->contentsRect().height());
        }
    }
    for (QWidget *control : controls) {
        const QWidget *parent = control->parentWidget();
        if (!parent->rect().contains(control->geometry()))
            report(control, QStringLiteral("outside its parent"), control->geometry().right(), parent->width());
        for (QWidget *other : controls) {
            if (other != control && other->parentWidget() == parent && other < control
                && other->geometry().intersects(control->geometry()))
                report(control, QStringLiteral("overlaps ") + other->objectName(), 0, 0);
        }
    }
    return clipped;
}

struct FontCase
{
    const char *name;
    int points; // 0: the font the platform gives
};

void PrintTo(const FontCase &row, std::ostream *out)
{
    *out << row.name;
}

class DialogTextTest : public ::testing::TestWithParam<FontCase>
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.Root());
        m_font = QApplication::font();
        if (GetParam().points > 0) {
            QFont large = m_font;
            large.setPointSize(GetParam().points);
            QApplication::setFont(large);
        }
        // The run at scale 2 is on a screen of two device pixels to the point.
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
            EXPECT_EQ(qApp->devicePixelRatio(), 2.0);
        }
    }
    void TearDown() override { QApplication::setFont(m_font); }

    // Shows the window as the program does and lists what it cuts short.
    QStringList Check(QWidget *window)
    {
        window->show();
        QCoreApplication::processEvents();
        // A picture of the window at the screen's pixels, for a person to
        // look at when the run is asked to keep them.
        const QString shots = qEnvironmentVariable("VISTRANO_SCREENSHOTS");
        const QPixmap shot = window->grab();
        EXPECT_EQ(shot.devicePixelRatio(), qApp->devicePixelRatio());
        if (!shots.isEmpty())
            shot.save(QDir(shots).filePath(QStringLiteral("%1-%2-x%3.png")
                                               .arg(window->objectName(), GetParam().name)
                                               .arg(qApp->devicePixelRatio())));
        const QStringList clipped = ClippedTexts(window);
        window->hide();
        return clipped;
    }

    TestFolder m_config;
    QFont m_font;
};

} // namespace

TEST_P(DialogTextTest, NoTextIsCutShort)
{
    TfrmVistrano main(m_config.Path("bookmrks.dat"));
    EXPECT_EQ(Check(&main), QStringList());
    TfrmProjSettings settings;
    EXPECT_EQ(Check(&settings), QStringList());
    TfrmSlideProperties properties(&settings);
    EXPECT_EQ(Check(&properties), QStringList());
    TfrmCreateVistrano options;
    EXPECT_EQ(Check(&options), QStringList());
    TfBMEdit bookmarks(m_config.Path("bookmrks.dat"));
    EXPECT_EQ(Check(&bookmarks), QStringList());
    TFrmAbout about;
    EXPECT_EQ(Check(&about), QStringList());

    // The question about unsaved changes, checked while it is up.
    QStringList question;
    QTimer::singleShot(0, [&question, this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        question = ClippedTexts(box);
        // The box is at least as wide as its title needs.
        EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->windowTitle()));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(AskSaveChanges(), SaveChangesAnswer::Cancel);
    EXPECT_EQ(question, QStringList());
}

INSTANTIATE_TEST_SUITE_P(Fonts, DialogTextTest,
                         ::testing::Values(FontCase{"PlatformFont", 0}, FontCase{"LargeFont", 14}),
                         [](const ::testing::TestParamInfo<FontCase> &info) { return info.param.name; });
