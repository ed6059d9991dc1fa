#include "about/AboutBox.h"
#include "about/AboutLayout.h"
#include "about/MakerAddresses.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

void Key(QWidget *to, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(to, &event);
}

} // namespace

TEST(AboutBox, LayoutColoursAndTexts)
{
    TFrmAbout box(nullptr, {"1.0.1.1", "Copyright 2024 Halvenor Software"});
    EXPECT_EQ(box.windowTitle(), "About Vistrano");
    EXPECT_EQ(box.size(), QSize(289, 358));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(192, 192, 192));

    auto *product = box.findChild<QLabel *>("lProductName");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text(), "Vistrano");
    // Labels keep their designed centre and grow to show their whole text,
    // and to the height of its lines.
    auto fits = [](QLabel *label, const QRect &designed) {
        QRect fitted = FitLabelToText(designed, label->sizeHint().width(), 289);
        fitted.setHeight(std::max(fitted.height(), label->sizeHint().height()));
        EXPECT_EQ(label->geometry(), fitted);
        EXPECT_GE(label->width(), label->sizeHint().width());
    };
    fits(product, QRect(88, 8, 111, 36));
    EXPECT_EQ(product->font().pixelSize(), 32);

    QLabel *version = box.VersionLabel();
    EXPECT_EQ(version->text(), "Version 1.0.1");
    EXPECT_EQ(version->geometry(), QRect(0, 64, 289, 33));
    EXPECT_EQ(version->font().pixelSize(), 19);
    EXPECT_TRUE(version->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(86, 63, 39));

    EXPECT_EQ(box.CopyrightLabel()->text(), "Copyright 2024 Halvenor Software");
    EXPECT_EQ(box.CopyrightLabel()->geometry(), QRect(0, 104, 281, 13));
    EXPECT_EQ(box.CopyrightLabel()->palette().color(QPalette::WindowText), QColor(86, 63, 39));

    EXPECT_EQ(box.EmailLabel()->text(), QStringLiteral("email: ") + kMakerSupportEmail);
    fits(box.EmailLabel(), QRect(72, 264, 157, 13));
    EXPECT_EQ(box.WebSiteLabel()->text(), kMakerWebAddress);
    fits(box.WebSiteLabel(), QRect(80, 288, 139, 13));
    for (QLabel *link : {box.EmailLabel(), box.WebSiteLabel()}) {
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(153, 6, 6));
        EXPECT_EQ(link->font().pixelSize(), 12);
    }
    EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);

    auto *ok = box.findChild<QPushButton *>("btnOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(112, 320, 75, 25));
    box.show();
    ok->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(AboutBox, LabelsGrowAboutTheirCentre)
{
    EXPECT_EQ(FitLabelToText(QRect(88, 8, 111, 36), 100, 289), QRect(88, 8, 111, 36));
    EXPECT_EQ(FitLabelToText(QRect(88, 8, 111, 36), 131, 289), QRect(78, 8, 131, 36));
    EXPECT_EQ(FitLabelToText(QRect(72, 264, 157, 13), 200, 289), QRect(50, 264, 200, 13));
    // Never past the box's sides.
    EXPECT_EQ(FitLabelToText(QRect(200, 0, 80, 13), 150, 289), QRect(139, 0, 150, 13));
    EXPECT_EQ(FitLabelToText(QRect(0, 64, 289, 33), 400, 289), QRect(0, 64, 289, 33));
}

TEST(AboutBox, ControlQBeforeTheFocusedButton)
{
    TFrmAbout box(nullptr, {"1.0.1.1", {}});
    auto *ok = box.findChild<QPushButton *>("btnOK");
    box.show();
    // The box sees the keys first, whichever control has the focus.
    Key(ok, QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(box.VersionLabel()->text(), "1.0.1.1");
    Key(ok, QEvent::KeyRelease, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(box.VersionLabel()->text(), "Version 1.0.1");
    Key(&box, QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(box.VersionLabel()->text(), "1.0.1.1");
    Key(&box, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(box.VersionLabel()->text(), "Version 1.0.1");

    TFrmAbout fallback(nullptr, {"2.5", "short"});
    EXPECT_EQ(fallback.VersionLabel()->text(), "Vistrano");
    EXPECT_EQ(fallback.CopyrightLabel()->text(), FallbackCopyright());
    Key(&fallback, QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(fallback.VersionLabel()->text(), "Vistrano");
}
