#include "ProjectTour.h"

#include "batch/BatchSession.h"
#include "director/DemoNetwork.h"
#include "platform/services/FileDialog.h"
#include "project/ConformanceFiller.h"
#include "project/DeviceTableModel.h"
#include "project/ProjectTree.h"
#include "project/ProjectWindow.h"
#include "workflows/cConfiguration.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <cstdio>

namespace {
bool failed(const QString &why)
{
    std::fprintf(stderr, "rx24-screenshots: %s\n", qPrintable(why));
    return false;
}
} // namespace

ProjectTour::ProjectTour(ProjectWindow &window, QString folder)
    : m_window(window), m_folder(std::move(folder))
{
}

bool ProjectTour::save(const QString &name, QWidget &shown)
{
    QApplication::processEvents();
    const QString file = QDir(m_folder).filePath(name);
    if (!shown.grab().save(file))
        return failed(QStringLiteral("cannot write ") + file);
    std::printf("%s\n", qPrintable(file));
    return true;
}

bool ProjectTour::run()
{
    m_window.resize(1440, 440);
    m_window.show();
    if (!m_window.open())
        return failed(QStringLiteral("the project database could not be opened"));
    auto *tree = m_window.findChild<ProjectTree *>(QStringLiteral("projectTree"));
    if (!tree->choose(DemoNetwork::networkName(), DemoNetwork::subsystemPath()))
        return failed(QStringLiteral("the demo network is missing"));

    // The fully configured device's set as the reference of the project.
    const QString reference = QDir(m_folder).filePath(QStringLiteral("reference.par"));
    const int full = m_window.devices().rowOf(DemoNetwork::subsystemPath(), QStringLiteral("RX24 Full"));
    if (full < 0)
        return failed(QStringLiteral("the demo device \"RX24 Full\" is missing"));
    QString problem;
    const auto model = m_window.session()->openModel(m_window.devices().device(full).device, problem);
    if (!model || !model->SaveSetToFile(reference))
        return failed(QStringLiteral("the reference file could not be written: ") + problem);
    m_window.conformance().start(reference);
    if (!QTest::qWaitFor([this] { return !m_window.conformance().running(); }, 60000))
        return failed(QStringLiteral("the conformance column did not fill"));

    auto *table = m_window.findChild<QTableView *>(QStringLiteral("deviceTable"));
    table->resizeColumnsToContents();
    if (auto *splitter = m_window.findChild<QSplitter *>(QStringLiteral("splitter")))
        splitter->setSizes({170, 1270});
    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!save(QStringLiteral("project.png"), m_window))
        return false;

    // The dry run of putting the reference on the two chosen devices.
    FileDialog::setTestMode(true);
    FileDialog::queueAnswer(reference);
    m_window.findChild<QAction *>(QStringLiteral("actionApplyFile"))->trigger();
    QDialog *preview = nullptr;
    const bool shown = QTest::qWaitFor(
        [this, &preview] {
            preview = m_window.findChild<QDialog *>(QStringLiteral("applyPreview"));
            return preview && preview->isVisible();
        },
        60000);
    FileDialog::setTestMode(false);
    if (!shown)
        return failed(QStringLiteral("the dry run of Apply file did not come"));
    const bool saved = save(QStringLiteral("project-apply.png"), *preview);
    preview->reject();
    QFile::remove(reference);
    return saved;
}
