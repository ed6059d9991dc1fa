#include "about/VistranoHelp.h"

#include "about/HelpPages.h"
#include "about/HelpWindow.h"

TVistranoHelp::TVistranoHelp(QWidget *owner, const QString &folder)
    : QObject(owner), m_owner(owner), m_folder(folder), m_hook(*this)
{
}

TVistranoHelp::~TVistranoHelp()
{
    m_hook.HelpCommand(HELP_QUIT, 0);
}

THelpWindow *TVistranoHelp::EnsureWindow()
{
    if (!m_window)
        m_window = new THelpWindow(m_folder, m_owner);
    return m_window;
}

void TVistranoHelp::DisplayTopic()
{
    EnsureWindow()->ShowPage(HelpContentsPage());
}

void TVistranoHelp::DisplayContext(int context)
{
    EnsureWindow()->ShowPage(HelpContextPage(context));
}

void TVistranoHelp::DisplayIndex(const QString &keyword)
{
    EnsureWindow()->ShowIndex(keyword);
}

void TVistranoHelp::CloseAll()
{
    if (m_window)
        m_window->close();
}

THelpWindow *TVistranoHelp::Window() const
{
    return m_window;
}
