#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class RectBoxProperties;

// What a project file keeps of one slide, beyond its thumbnail (which
// follows from the picture file and the rotation) and its place on the
// strip (which follows from the order).
struct SlideContent
{
    QString fileName;
    QString caption;
    int rotation = 0;
    double duration = 0;
    double transition = 0;
    int width = 0;
    int height = 0;
    int motion = 0;
    bool operator==(const SlideContent &) const = default;
};

// What a project holds: the background audio path and the slides in slide
// order. Two projects with equal content save to the same file.
struct ProjectContent
{
    QString audioPath;
    QList<SlideContent> slides;
    bool operator==(const ProjectContent &) const = default;
};

ProjectContent ContentOf(const QList<const RectBoxProperties *> &slidesInOrder, const QString &audioPath);

// The project being worked on: the file it was last opened from or saved
// to (none for a new project) and whether the strip and the audio path
// still hold what that file holds. It knows nothing of windows: whoever
// changes the slides or the audio path says that something may have
// changed, and the state compares the project's content with the content
// it had when it was last stored. A slide moved away and back again is
// therefore no change, and nothing has to know which of its edits count.
class TProjectState : public QObject
{
    Q_OBJECT

public:
    using ContentSource = std::function<ProjectContent()>;
    explicit TProjectState(ContentSource source, QObject *parent = nullptr);

    // The project file; empty for a project that has never been stored.
    QString FileName() const { return m_fileName; }
    bool IsModified() const;

    // The project now is the one in the file at path (empty: a new project
    // that was never saved) whose content is `stored`; it is modified while
    // its content differs from that. Opening one project into the slides of
    // another gives a stored content that is only part of the strip.
    void SetStored(const QString &path, const ProjectContent &stored);
    // The project as it stands is what the file at path holds (saved).
    void SetSaved(const QString &path);

    // Something that a project file keeps may have changed. The comparison
    // waits until the state is asked or the event loop runs, so that a
    // command that changes many slides costs one comparison.
    void ContentMayHaveChanged();

signals:
    // The file name or the modified mark changed.
    void StateChanged();

private:
    void Evaluate() const;
    void Publish();

    ContentSource m_source;
    QString m_fileName;
    ProjectContent m_stored;
    mutable bool m_modified = false;
    mutable bool m_stale = false;
    bool m_publishQueued = false;
    QString m_publishedFile;
    bool m_publishedModified = false;
};

// The main window's title: the project's file name, a "*" while it has
// changes that are not saved, then the program's title; the program's title
// alone when there is neither a file nor a change.
QString ProjectWindowTitle(const QString &fileName, bool modified);
