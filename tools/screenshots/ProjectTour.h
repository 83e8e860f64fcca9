#pragma once

#include <QString>

class ProjectWindow;

// The pictures of the project window: the demo network with its
// conformance against the fully configured device's set, and the dry run of
// putting that set on two devices. Returns false (why on standard error)
// when a step did not come out as a user would see it.
class ProjectTour
{
public:
    ProjectTour(ProjectWindow &window, QString folder);
    bool run();

private:
    bool save(const QString &name, class QWidget &shown);

    ProjectWindow &m_window;
    QString m_folder;
};
