#include "app/Application.h"

#include "shell/Messages.h"

TVistranoApplication::TVistranoApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool TVistranoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ReportError(ErrorText(error));
    }
    return false;
}
