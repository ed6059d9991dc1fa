#include "shell/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

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
    box.exec();
}

} // namespace

void ShowMessage(const QString &text)
{
    Show(text, QMessageBox::NoIcon);
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
