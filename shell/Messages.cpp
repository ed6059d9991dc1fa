#include "shell/Messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {

// A message box is as wide as its text needs, which can be narrower than
// its title: the window manager then cuts the title short. Room for the
// title and the title bar's buttons keeps it whole.
void WidenForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int buttons = 3 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + buttons + 48;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

MessageObserver &Observer()
{
    static MessageObserver observer;
    return observer;
}

void Show(const QString &text, QMessageBox::Icon icon)
{
    if (Observer()) {
        Observer()(text);
        return;
    }
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    WidenForTitle(box);
    box.exec();
}

} // namespace

void ShowMessage(const QString &text)
{
    Show(text, QMessageBox::NoIcon);
}

SaveChangesAnswer AskSaveChanges()
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QApplication::translate("Messages", "Save changes to the project?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("SaveChangesBox"));
    // Some desktops' themes name the buttons otherwise ("Close without
    // Saving"); the question's own words stay.
    box.button(QMessageBox::Save)->setText(QApplication::translate("Messages", "Save"));
    box.button(QMessageBox::Discard)->setText(QApplication::translate("Messages", "Discard"));
    box.button(QMessageBox::Cancel)->setText(QApplication::translate("Messages", "Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    WidenForTitle(box);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

void ReportError(const QString &text)
{
    Show(text, QMessageBox::Critical);
}

QString ErrorText(const std::exception &error)
{
    if (const auto *vistrano = dynamic_cast<const VistranoError *>(&error))
        return vistrano->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QApplication::translate("Messages", "Out of memory");
    return QString::fromLocal8Bit(error.what());
}

void SetMessageObserver(MessageObserver observer)
{
    Observer() = std::move(observer);
}
