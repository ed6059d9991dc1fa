#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A window that code under test opens modally and no test closes would stop
// the whole run until its time-out. The watchdog fails the running test with
// the window's text and closes it, so that the run goes on.
void WatchForForgottenModalWindows(QApplication &app)
{
    auto *timer = new QTimer(&app);
    auto seen = std::make_shared<QPointer<QWidget>>();
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [seen, ticks] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal != seen->data()) {
            *seen = modal;
            *ticks = 0;
            return;
        }
        if (++*ticks < 20)
            return;
        const auto *box = qobject_cast<QMessageBox *>(modal);
        ADD_FAILURE() << "A modal window was left open: " << modal->metaObject()->className() << " \""
                      << (box != nullptr ? box->text() : modal->windowTitle()).toStdString() << "\"";
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        *seen = nullptr;
    });
    timer->start(500);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const TestFolder cache;
    KeepUserCacheIn(cache);
    QApplication app(argc, argv);
    WatchForForgottenModalWindows(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
