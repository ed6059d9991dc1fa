#pragma once

#include <QString>

// Copies the player template over the target, replacing any file there; the
// copy gets the template's permissions, so it runs as the template does.
// Fails with "Error copying needed file!" when the template cannot be read or
// the target cannot be written (followed by the system's reason), or when the
// target is the template itself (under any name).
// A template that already holds a section marker would hide the show's
// sections from the player and is refused with its own message.
void CopyTemplate(const QString &templatePath, const QString &targetPath);
