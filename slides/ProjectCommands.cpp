#include "slides/ProjectCommands.h"

#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "shell/BusyCursor.h"
#include "shell/Messages.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <vector>

namespace {

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

QString RunFileDialog(QFileDialog *dialog, QString &lastName)
{
    if (!lastName.isEmpty()) {
        // A bare name is offered in the folder the dialog shows.
        const QFileInfo last(lastName);
        if (last.isAbsolute())
            dialog->setDirectory(last.absolutePath());
        dialog->selectFile(last.fileName());
    }
    const int result = dialog->exec();
    // A name typed with the completion list showing can leave the list up
    // after the dialog has closed.
    for (QCompleter *completer : dialog->findChildren<QCompleter *>()) {
        if (completer->popup())
            completer->popup()->hide();
    }
    if (result != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return {};
    lastName = chosen.first();
    return lastName;
}

TProjectCommands::TProjectCommands(TSlideStrip *strip, QWidget *window, QObject *parent)
    : QObject(parent), SaveDialog1(MakeProjectDialog(window, "SaveDialog1", QFileDialog::AcceptSave)),
      OpenDialog1(MakeProjectDialog(window, "OpenDialog1", QFileDialog::AcceptOpen)), m_strip(strip)
{
}

QString TProjectCommands::AudioFile() const
{
    return m_projectSettings ? m_projectSettings->AudioFile() : QString();
}

void TProjectCommands::New1Click()
{
    if (m_strip->RefuseWhileBusy())
        return;
    m_strip->DestroySlides();
    m_strip->SlidesChanged();
    if (m_projectSettings) {
        m_projectSettings->SetAudioFile(QString());
        m_projectSettings->Execute();
    }
}

void TProjectCommands::Open1Click()
{
    if (m_strip->RefuseWhileBusy())
        return;
    const QString path = RunFileDialog(OpenDialog1, m_lastOpened);
    if (path.isEmpty() || m_strip->RefuseWhileBusy())
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
    for (std::unique_ptr<RectBoxProperties> &slide : project.slides) {
        auto *box = static_cast<TRectBox *>(slide.release());
        m_strip->AdoptSlide(box);
    }
    // The opened slides stand where they were saved until the strip is laid
    // out again; the count is brought up to date now.
    m_strip->SlidesChanged();
    if (!project.Complete())
        throw VistranoError(project.error);
}

void TProjectCommands::Save2Click()
{
    if (m_strip->SlideCount() == 0) {
        ShowMessage(QStringLiteral("There are no images to save!"));
        return;
    }
    const QString path = RunFileDialog(SaveDialog1, m_lastSaved);
    if (!path.isEmpty())
        SaveProjectFile(path);
}

void TProjectCommands::SaveProjectFile(const QString &path)
{
    const QList<const RectBoxProperties *> slides = m_strip->SlidesInSlideOrder();
    const TBusyCursor busy;
    SaveProject(path, std::span<const RectBoxProperties *const>(slides.constData(), size_t(slides.size())),
                AudioFile());
}
