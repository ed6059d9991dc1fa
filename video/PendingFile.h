#pragma once

#include <QString>

// A file written under a temporary name beside its target and given the
// target's name only when it is complete, so that a failure or a cancel
// never leaves a partial file under that name (nor harms a file already
// there). Unless committed, the temporary file is removed when this ends.
class PendingFile
{
public:
    // Creates the empty temporary file; fails with a message when the
    // target's folder cannot take it.
    explicit PendingFile(const QString &target);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    QString Path() const { return m_path; }
    // Renames the temporary file to the target, replacing what is there.
    void Commit();

private:
    QString m_target;
    QString m_path;
    bool m_committed = false;
};
