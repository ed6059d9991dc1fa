#include "project/ProjectState.h"

#include "project/RectBoxProperties.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

ProjectContent ContentOf(const QList<const RectBoxProperties *> &slidesInOrder, const QString &audioPath)
{
    ProjectContent content;
    content.audioPath = audioPath;
    content.slides.reserve(slidesInOrder.size());
    for (const RectBoxProperties *slide : slidesInOrder)
        content.slides.append({slide->FileName(), slide->Caption(), slide->Rotation(), slide->AbLeft(), slide->AbTop(),
                               slide->Width(), slide->Height(), int(slide->Motion())});
    return content;
}

TProjectState::TProjectState(ContentSource source, QObject *parent) : QObject(parent), m_source(std::move(source))
{
}

bool TProjectState::IsModified() const
{
    Evaluate();
    return m_modified;
}

void TProjectState::Evaluate() const
{
    if (!m_stale)
        return;
    m_stale = false;
    m_modified = m_source && !(m_source() == m_stored);
}

void TProjectState::SetStored(const QString &path, const ProjectContent &stored)
{
    m_fileName = path;
    m_stored = stored;
    m_stale = true;
    ContentMayHaveChanged();
}

void TProjectState::SetSaved(const QString &path)
{
    SetStored(path, m_source ? m_source() : ProjectContent());
}

void TProjectState::ContentMayHaveChanged()
{
    m_stale = true;
    if (m_publishQueued)
        return;
    m_publishQueued = true;
    QTimer::singleShot(0, this, &TProjectState::Publish);
}

void TProjectState::Publish()
{
    m_publishQueued = false;
    const bool modified = IsModified();
    if (modified == m_publishedModified && m_fileName == m_publishedFile)
        return;
    m_publishedModified = modified;
    m_publishedFile = m_fileName;
    emit StateChanged();
}

QString ProjectWindowTitle(const QString &fileName, bool modified)
{
    const QString program = QCoreApplication::translate("ProjectState", "Vistrano by Halvenor Software");
    if (fileName.isEmpty() && !modified)
        return program;
    const QString name =
        fileName.isEmpty() ? QCoreApplication::translate("ProjectState", "Untitled") : QFileInfo(fileName).fileName();
    return QStringLiteral("%1%2 - %3").arg(name, modified ? QStringLiteral("*") : QString(), program);
}
