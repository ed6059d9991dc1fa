#pragma once

#include <QString>

#include <cstdint>

// The help requests the application makes, by their old help engine numbers.
enum THelpCommand : int {
    HELP_CONTEXT = 1,       // show the topic of a context number
    HELP_QUIT = 2,          // help is no longer needed
    HELP_CONTEXTPOPUP = 8,  // show a context as a pop-up
    HELP_FINDER = 11,       // show the contents
    HELP_KEY = 257,         // look up a keyword
};

// What the help viewer is asked to do.
enum THtmlHelpCommand : int {
    HH_DISPLAY_TOPIC = 0,
    HH_DISPLAY_INDEX = 2,
    HH_HELP_CONTEXT = 15,
    HH_CLOSE_ALL = 18,
};

struct THtmlHelpCall
{
    THtmlHelpCommand Command = HH_DISPLAY_TOPIC;
    int64_t Data = 0;   // the context number for HH_HELP_CONTEXT
    QString Keyword;    // for HH_DISPLAY_INDEX
    bool operator==(const THtmlHelpCall &) const = default;
};

// One request translated into one call of the viewer: a context (shown as a
// topic or as a pop-up alike) to HH_HELP_CONTEXT with its number, a keyword
// to HH_DISPLAY_INDEX with the keyword, the end of help to HH_CLOSE_ALL with
// data 0, and anything else (the contents among them) to HH_DISPLAY_TOPIC
// with data 0: the help opens at its default topic.
THtmlHelpCall TranslateHelpCommand(int command, int64_t data, const QString &keyword = {});

// What the in-program help window offers the hook.
class THelpViewer
{
public:
    virtual ~THelpViewer() = default;
    virtual void DisplayTopic() = 0;                      // the contents page
    virtual void DisplayContext(int context) = 0;         // the page of a context number
    virtual void DisplayIndex(const QString &keyword) = 0; // the index, at the keyword
    virtual void CloseAll() = 0;
};

// The help hook: every help request of the program passes through it and is
// handed to the viewer as one call. It always answers that it handled the
// request.
class TUseHTMLHelp
{
public:
    explicit TUseHTMLHelp(THelpViewer &viewer) : m_viewer(viewer) {}

    bool HelpCommand(int command, int64_t data, const QString &keyword = {});
    bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }
    bool HelpKeyword(const QString &keyword) { return HelpCommand(HELP_KEY, 0, keyword); }

private:
    THelpViewer &m_viewer;
};
