#pragma once

#include "project/ProjectDevice.h"

#include <QList>
#include <QStringList>

class BatchSession;

// Reads what the project window lists from the network database: the
// networks, the subsystem paths of one, and its devices with their slots
// and last write, ordered by subsystem and name as a person counts.
class ProjectLoader
{
public:
    explicit ProjectLoader(BatchSession &session) : m_session(session) {}

    QStringList networks() const;
    QStringList subsystemPaths(const QString &network) const;
    QList<ProjectDevice> devices(const QString &network) const;

private:
    BatchSession &m_session;
};
