#pragma once

#include "about/HelpHook.h"

#include <QObject>
#include <QPointer>

class THelpWindow;
class QWidget;

// The program's help: the hook that every help request passes through, and
// the help window it drives, made on first use and closed by HELP_QUIT. It
// lives as long as the window that owns it.
class TVistranoHelp : public QObject, private THelpViewer
{
    Q_OBJECT

public:
    explicit TVistranoHelp(QWidget *owner, const QString &folder);
    ~TVistranoHelp() override;

    TUseHTMLHelp &Hook() { return m_hook; }
    // "Help Contents": the help opens at its contents page.
    void HelpContents() { m_hook.HelpCommand(HELP_FINDER, 0); }
    // "Help Overview" and every other context number.
    void HelpContext(int context) { m_hook.HelpContext(context); }

    THelpWindow *Window() const;

private:
    void DisplayTopic() override;
    void DisplayContext(int context) override;
    void DisplayIndex(const QString &keyword) override;
    void CloseAll() override;
    THelpWindow *EnsureWindow();

    QWidget *m_owner;
    QString m_folder;
    TUseHTMLHelp m_hook;
    QPointer<THelpWindow> m_window;
};
