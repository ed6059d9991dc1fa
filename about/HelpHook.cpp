#include "about/HelpHook.h"

#include <limits>

THtmlHelpCall TranslateHelpCommand(int command, int64_t data, const QString &keyword)
{
    switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        return {HH_HELP_CONTEXT, data, {}};
    case HELP_KEY:
        return {HH_DISPLAY_INDEX, 0, keyword};
    case HELP_QUIT:
        return {HH_CLOSE_ALL, 0, {}};
    default:
        return {HH_DISPLAY_TOPIC, 0, {}};
    }
}

bool TUseHTMLHelp::HelpCommand(int command, int64_t data, const QString &keyword)
{
    const THtmlHelpCall call = TranslateHelpCommand(command, data, keyword);
    switch (call.Command) {
    case HH_HELP_CONTEXT:
        // A number no context can have opens the contents.
        if (call.Data < std::numeric_limits<int>::min() || call.Data > std::numeric_limits<int>::max())
            m_viewer.DisplayTopic();
        else
            m_viewer.DisplayContext(int(call.Data));
        break;
    case HH_DISPLAY_INDEX:
        m_viewer.DisplayIndex(call.Keyword);
        break;
    case HH_CLOSE_ALL:
        m_viewer.CloseAll();
        break;
    case HH_DISPLAY_TOPIC:
        m_viewer.DisplayTopic();
        break;
    }
    return true;
}
