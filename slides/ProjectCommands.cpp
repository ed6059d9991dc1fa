#include "slides/ProjectCommands.h"

#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "project/ProjectState.h"
#include "project/RecentProjects.h"
#include "shell/BusyCursor.h"
#include "shell/FileDialogs.h"
#include "shell/Messages.h"
#include "shell/Settings.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

const QString kRecentProjectsSetting = QStringLiteral("RecentProjects");

QFileDialog *MakeProjectDialog(QWidget *window, const char *name, QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(window);
    dialog->setObjectName(QLatin1String(name));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QStringLiteral("vsw"));
    dialog->setNameFilter(QObject::tr("Vistrano files (*.vsw)"));
    dialog->setDirectory(QDir::homePath());
    return dialog;
}

} // namespace

TProjectCommands::TProjectCommands(TSlideStrip *strip, QWidget *window, QObject *parent)
    : QObject(parent), SaveDialog1(MakeProjectDialog(window, "SaveDialog1", QFileDialog::AcceptSave)),
      OpenDialog1(MakeProjectDialog(window, "OpenDialog1", QFileDialog::AcceptOpen)), m_strip(strip),
      m_state(new TProjectState([this] { return ContentOf(m_strip->SlidesInSlideOrder(), AudioFile()); }, this)),
      m_recent(WithoutRecentProject(ReadSettingValue(SettingsKey(), kRecentProjectsSetting).toStringList(), QString()))
{
    connect(strip, &TSlideStrip::SlidesEdited, m_state, &TProjectState::ContentMayHaveChanged);
}

void TProjectCommands::SetProjectSettings(TfrmProjSettings *dialog)
{
    if (m_projectSettings)
        disconnect(m_projectSettings, nullptr, m_state, nullptr);
    m_projectSettings = dialog;
    if (dialog)
        connect(dialog, &TfrmProjSettings::AudioFileChanged, m_state, &TProjectState::ContentMayHaveChanged);
    m_state->ContentMayHaveChanged();
}

QString TProjectCommands::AudioFile() const
{
    return m_projectSettings ? m_projectSettings->AudioFile() : QString();
}

bool TProjectCommands::QueryDiscardChanges()
{
    // A strip without slides cannot be saved, and closing it loses nothing
    // that a file does not hold.
    if (!m_state->IsModified() || m_strip->SlideCount() == 0)
        return true;
    switch (AskSaveChanges()) {
    case SaveChangesAnswer::Save: {
        // A failed save has been reported; the work stays as it is.
        bool saved = false;
        RunCommand([this, &saved] { saved = SaveProject(); });
        return saved && !m_state->IsModified();
    }
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void TProjectCommands::New1Click()
{
    if (m_strip->RefuseWhileBusy() || !QueryDiscardChanges())
        return;
    m_strip->DestroySlides();
    m_strip->SlidesChanged();
    if (m_projectSettings)
        m_projectSettings->SetAudioFile(QString());
    m_state->SetStored(QString(), ProjectContent());
    if (m_projectSettings)
        m_projectSettings->Execute();
}

void TProjectCommands::Open1Click()
{
    if (m_strip->RefuseWhileBusy() || !QueryDiscardChanges())
        return;
    const QString path = RunFileDialog(OpenDialog1, m_lastOpened, QLatin1String(kProjectFolderSetting));
    if (path.isEmpty() || m_strip->RefuseWhileBusy())
        return;
    OpenProjectFile(path);
}

void TProjectCommands::OpenRecentProject(const QString &path)
{
    if (m_strip->RefuseWhileBusy())
        return;
    if (!QFileInfo(path).isFile()) {
        SetRecentProjects(WithoutRecentProject(m_recent, path));
        ShowMessage(tr("The project %1 cannot be found. It has been taken off the list of recent projects.")
                        .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!QueryDiscardChanges())
        return;
    OpenProjectFile(path);
}

void TProjectCommands::OpenProjectFile(const QString &path)
{
    std::vector<RectBoxProperties *> existing;
    for (TRectBox *box : m_strip->Slides())
        existing.push_back(box);
    OpenedProject project;
    {
        const TBusyCursor busy;
        project = OpenProject(
            path, [] { return std::unique_ptr<RectBoxProperties>(new TRectBox); }, existing);
    }
    if (m_projectSettings)
        m_projectSettings->SetAudioFile(project.header.audioPath);
    QList<TRectBox *> opened;
    for (std::unique_ptr<RectBoxProperties> &slide : project.slides)
        opened << static_cast<TRectBox *>(slide.release());
    // Every slide visible: the opened ones after those already there.
    m_strip->AdoptOpenedSlides(opened);
    // The project is now the opened file; when it was opened into other
    // slides, the strip holds more than the file and is modified.
    QList<const RectBoxProperties *> stored;
    for (const TRectBox *box : opened)
        stored << box;
    std::stable_sort(stored.begin(), stored.end(),
                     [](const RectBoxProperties *a, const RectBoxProperties *b) { return a->Left() < b->Left(); });
    m_state->SetStored(QFileInfo(path).absoluteFilePath(), ContentOf(stored, project.header.audioPath));
    SetRecentProjects(WithRecentProject(m_recent, path));
    if (!project.Complete())
        throw VistranoError(project.error);
}

void TProjectCommands::Save1Click()
{
    SaveProject();
}

void TProjectCommands::Save2Click()
{
    SaveProjectAs();
}

bool TProjectCommands::SaveProject()
{
    if (m_state->FileName().isEmpty() || m_strip->SlideCount() == 0)
        return SaveProjectAs();
    SaveProjectFile(m_state->FileName());
    return true;
}

bool TProjectCommands::SaveProjectAs()
{
    if (m_strip->SlideCount() == 0) {
        ShowMessage(QStringLiteral("There are no images to save!"));
        return false;
    }
    const QString path = RunFileDialog(SaveDialog1, m_lastSaved, QLatin1String(kProjectFolderSetting));
    if (path.isEmpty())
        return false;
    SaveProjectFile(path);
    return true;
}

void TProjectCommands::SaveProjectFile(const QString &path)
{
    const QList<const RectBoxProperties *> slides = m_strip->SlidesInSlideOrder();
    {
        const TBusyCursor busy;
        ::SaveProject(path, std::span<const RectBoxProperties *const>(slides.constData(), size_t(slides.size())),
                    AudioFile());
    }
    m_state->SetSaved(QFileInfo(path).absoluteFilePath());
    SetRecentProjects(WithRecentProject(m_recent, path));
}

void TProjectCommands::SetRecentProjects(const QStringList &recent)
{
    if (recent == m_recent)
        return;
    m_recent = recent;
    WriteSettingValue(SettingsKey(), kRecentProjectsSetting, m_recent);
    emit RecentProjectsChanged();
}
