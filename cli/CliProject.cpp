#include "cli/CliProject.h"

#include "common/VistranoError.h"
#include "project/SlideLayout.h"

CliProject OpenWholeProject(const QString &path)
{
    CliProject project;
    project.opened = OpenProject(path);
    if (!project.opened.Complete())
        throw VistranoError(project.opened.error);
    std::vector<RectBoxProperties *> boxes;
    for (const auto &slide : project.opened.slides)
        boxes.push_back(slide.get());
    for (const RectBoxProperties *box : LayoutSlides(boxes))
        project.slides.push_back(box);
    return project;
}

QList<BuildSlide> ShowSlidesOf(const CliProject &project)
{
    QList<BuildSlide> slides;
    for (const RectBoxProperties *box : project.slides)
        slides.append(BuildSlideOf(*box));
    return slides;
}
