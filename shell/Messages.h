#pragma once

#include "common/VistranoError.h"

#include <QString>

#include <exception>
#include <functional>
#include <new>

// A plain message box with one of the program's fixed texts or refusals.
void ShowMessage(const QString &text);

// "Save changes to the project?" with Save, Discard and Cancel (Escape),
// asked before the work on the strip would be thrown away.
enum class SaveChangesAnswer { Save, Discard, Cancel };
SaveChangesAnswer AskSaveChanges();

// The application's general error report: a message box with the error's
// text; the program keeps running.
void ReportError(const QString &text);

// The text of an error as the general report shows it.
QString ErrorText(const std::exception &error);

// Runs a command; an error it lets through reaches the general report.
// Returns false when the command failed.
template <class Command>
bool RunCommand(Command &&command)
{
    try {
        command();
        return true;
    } catch (const std::exception &error) {
        ReportError(ErrorText(error));
    }
    return false;
}

// Tests (and nothing else) route every message here instead of a box; an
// empty function gives the boxes back. The question about unsaved changes
// is always a box.
using MessageObserver = std::function<void(const QString &text)>;
void SetMessageObserver(MessageObserver observer);
