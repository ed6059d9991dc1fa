#pragma once

#include <QApplication>

// The application object. An error that a command lets through reaches the
// general error report here (a message box with the error's text) and the
// program keeps running. Commands normally report through RunCommand
// (app/Messages.h) before their error could reach Qt's own frames; this is
// the last net.
class TVistranoApplication : public QApplication
{
    Q_OBJECT

public:
    TVistranoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
