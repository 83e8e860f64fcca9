#include "project/ProjectWindow.h"

#include "batch/BatchError.h"
#include "batch/BatchSession.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "project/ConformanceFiller.h"
#include "project/DeviceFilterModel.h"
#include "project/ProjectActions.h"
#include "project/ProjectLoader.h"
#include "project/ProjectTexts.h"
#include "project/ProjectTree.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

ProjectWindow::ProjectWindow(QString location, QWidget *parent)
    : QMainWindow(parent), m_location(location.isEmpty() ? defaultLocation() : std::move(location))
{
    setObjectName(QStringLiteral("projectWindow"));
    setWindowTitle(ProjectTexts::caption(ProjectTexts::WindowTitle));
    m_filterModel = new DeviceFilterModel(m_devices, this);
    m_actions = new ProjectActions(*this);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(buildDevicePage());
    m_pages->addWidget(buildEmptyPage());
    setCentralWidget(m_pages);
    buildActions();
    buildMenus();

    m_shown = new QLabel(this);
    m_shown->setObjectName(QStringLiteral("lblShown"));
    m_reference = new QLabel(this);
    m_reference->setObjectName(QStringLiteral("lblReference"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("conformanceProgress"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    statusBar()->addWidget(m_shown);
    statusBar()->addWidget(m_reference, 1);
    statusBar()->addPermanentWidget(m_progress);
    MessageBox::setParentWindow(this);
    FileDialog::setParentWindow(this);
    resize(1100, 640);
}

ProjectWindow::~ProjectWindow()
{
    MessageBox::setParentWindow(nullptr);
    FileDialog::setParentWindow(nullptr);
    // The filler's checks use the session: it stops before the session goes.
    delete m_filler;
    m_filler = nullptr;
}

QString ProjectWindow::defaultLocation()
{
    const QString server = NetworkDatabase::configuredServer();
    return server.isEmpty() ? NetworkDatabase::defaultDatabasePath() : server;
}

QWidget *ProjectWindow::buildDevicePage()
{
    auto *splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("splitter"));
    m_tree = new ProjectTree(splitter);
    connect(m_tree, &ProjectTree::chosen, this, &ProjectWindow::showNetwork);

    auto *right = new QWidget(splitter);
    auto *layout = new QVBoxLayout(right);
    layout->setContentsMargins(0, 0, 0, 0);
    m_filter = new QLineEdit(right);
    m_filter->setObjectName(QStringLiteral("deviceFilter"));
    m_filter->setPlaceholderText(ProjectTexts::caption(ProjectTexts::FilterHint));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_filterModel->setFilterWords(text);
        updateShown();
    });
    layout->addWidget(m_filter);

    m_table = new QTableView(right);
    m_table->setObjectName(QStringLiteral("deviceTable"));
    m_table->setModel(m_filterModel);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(false);
    m_table->verticalHeader()->hide();
    // Rows of one height: the view lays out ten thousand rows without asking each.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) { m_filterModel->sort(column, order); });
    const int widths[] = {160, 200, 190, 70, 300, 200};
    for (int column = 0; column < int(std::size(widths)); ++column)
        m_table->setColumnWidth(column, widths[column]);
    connect(m_table, &QTableView::doubleClicked, m_actions, &ProjectActions::openConfiguration);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ProjectWindow::updateActions);
    layout->addWidget(m_table);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 860});
    return splitter;
}

QWidget *ProjectWindow::buildEmptyPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("emptyProject"));
    auto *layout = new QVBoxLayout(page);
    layout->addStretch();
    auto *label = new QLabel(ProjectTexts::caption(ProjectTexts::EmptyProject), page);
    label->setObjectName(QStringLiteral("lblEmpty"));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    m_createDemo = new QPushButton(ProjectTexts::action(ProjectTexts::CreateDemo), page);
    m_createDemo->setObjectName(QStringLiteral("btnCreateDemo"));
    connect(m_createDemo, &QPushButton::clicked, m_actions, &ProjectActions::createDemo);
    layout->addWidget(m_createDemo, 0, Qt::AlignCenter);
    layout->addStretch();
    return page;
}

void ProjectWindow::buildActions()
{
    struct Entry
    {
        ProjectTexts::Action text;
        const char *name;
        void (ProjectActions::*slot)();
        QKeySequence keys;
    };
    const Entry entries[] = {
        {ProjectTexts::OpenConfiguration, "actionOpenConfiguration", &ProjectActions::openConfiguration,
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ProjectTexts::ApplyFile, "actionApplyFile", &ProjectActions::applyFile,
         QKeySequence(Qt::CTRL | Qt::Key_W)},
        {ProjectTexts::Export, "actionExport", &ProjectActions::exportSet,
         QKeySequence(Qt::CTRL | Qt::Key_E)},
        {ProjectTexts::Compare, "actionCompare", &ProjectActions::compare,
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {ProjectTexts::History, "actionHistory", &ProjectActions::history,
         QKeySequence(Qt::CTRL | Qt::Key_H)},
        {ProjectTexts::Register, "actionRegister", &ProjectActions::registerPlugIn, {}},
        {ProjectTexts::ChooseReference, "actionChooseReference", &ProjectActions::chooseReference, {}},
        {ProjectTexts::CreateDemo, "actionCreateDemo", &ProjectActions::createDemo, {}},
        {ProjectTexts::Reload, "actionReload", &ProjectActions::reload, QKeySequence::Refresh},
        {ProjectTexts::Quit, "actionQuit", &ProjectActions::quit, QKeySequence::Quit},
        {ProjectTexts::About, "actionAbout", &ProjectActions::about, {}},
    };
    for (const Entry &entry : entries) {
        auto *action = new QAction(ProjectTexts::action(entry.text), this);
        action->setObjectName(QLatin1String(entry.name));
        action->setShortcut(entry.keys);
        connect(action, &QAction::triggered, m_actions, entry.slot);
        addAction(action);
    }
}

void ProjectWindow::buildMenus()
{
    const auto action = [this](const char *name) { return findChild<QAction *>(QLatin1String(name)); };
    QMenu *file = menuBar()->addMenu(ProjectTexts::caption(ProjectTexts::FileMenu));
    file->setObjectName(QStringLiteral("menuFile"));
    file->addActions({action("actionChooseReference"), action("actionCreateDemo"), action("actionReload")});
    file->addSeparator();
    file->addAction(action("actionQuit"));
    QMenu *device = menuBar()->addMenu(ProjectTexts::caption(ProjectTexts::DeviceMenu));
    device->setObjectName(QStringLiteral("menuDevice"));
    device->addActions({action("actionOpenConfiguration"), action("actionApplyFile"), action("actionExport"),
                        action("actionCompare"), action("actionHistory")});
    QMenu *network = menuBar()->addMenu(ProjectTexts::caption(ProjectTexts::NetworkMenu));
    network->setObjectName(QStringLiteral("menuNetwork"));
    network->addAction(action("actionRegister"));
    QMenu *help = menuBar()->addMenu(ProjectTexts::caption(ProjectTexts::HelpMenu));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->addAction(action("actionAbout"));

    QToolBar *tools = addToolBar(QStringLiteral("tools"));
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setMovable(false);
    tools->addActions({action("actionOpenConfiguration"), action("actionApplyFile"), action("actionCompare"),
                       action("actionHistory"), action("actionExport")});
    tools->addSeparator();
    tools->addAction(action("actionChooseReference"));
}

bool ProjectWindow::open()
{
    delete m_filler;
    m_filler = nullptr;
    m_devices.setDevices({});
    m_session.reset();
    setWindowTitle(ProjectTexts::caption(ProjectTexts::WindowTitle) + QStringLiteral(" – ") +
                   NetworkDatabase::shownLocation(m_location));
    try {
        // A user's first start: the plug-in's database file is made empty, for the demo.
        if (!NetDbServerAddress::isServerAddress(m_location) && !QFileInfo::exists(m_location)) {
            QDir().mkpath(QFileInfo(m_location).absolutePath());
            NetworkDatabase(m_location, NetworkDatabase::OpenMode::Create).connectServer(0);
        }
        auto session = std::make_unique<BatchSession>(m_location);
        session->open();
        m_session = std::move(session);
    } catch (const std::exception &error) {
        MessageBox::show(ProjectTexts::message(ProjectTexts::DatabaseUnusable,
                                               {m_location, QString::fromUtf8(error.what())}),
                         windowTitle(), MessageBox::Icon::Critical);
        m_pages->setCurrentIndex(1);
        updateActions();
        return false;
    }
    m_filler = new ConformanceFiller(*m_session, m_devices, this);
    connect(m_filler, &ConformanceFiller::progress, this, &ProjectWindow::showConformanceProgress);
    connect(m_filler, &ConformanceFiller::finished, this, [this] {
        m_progress->hide();
        m_filterModel->setFilterWords(m_filter->text()); // states to filter by have come
    });
    reload();
    return true;
}

void ProjectWindow::reload()
{
    if (!m_session)
        return;
    const QString network = m_tree->network();
    const QString path = m_tree->path();
    m_network.clear();
    fillTree();
    const bool empty = m_tree->topLevelItemCount() == 0;
    m_pages->setCurrentIndex(empty ? 1 : 0);
    if (!empty && !m_tree->choose(network, path))
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
    updateActions();
}

void ProjectWindow::fillTree()
{
    const ProjectLoader loader(*m_session);
    QList<std::pair<QString, QStringList>> networks;
    for (const QString &network : loader.networks())
        networks.append({network, loader.subsystemPaths(network)});
    m_tree->fill(networks);
}

void ProjectWindow::showNetwork(const QString &network, const QString &path)
{
    if (!m_session)
        return;
    if (network != m_network) {
        m_filler->stop();
        m_devices.setDevices(ProjectLoader(*m_session).devices(network));
        m_network = network;
        if (!m_filler->referenceFile().isEmpty())
            m_filler->start(m_filler->referenceFile());
    }
    m_filterModel->setSubsystem(path);
    if (m_tree->network() != network || m_tree->path() != path) {
        const QSignalBlocker quiet(m_tree);
        m_tree->choose(network, path);
    }
    updateShown();
    updateActions();
}

QList<int> ProjectWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << m_filterModel->mapToSource(index).row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<BatchDevice> ProjectWindow::selectedDevices() const
{
    QList<BatchDevice> devices;
    for (int row : selectedRows())
        devices << m_devices.device(row).device;
    return devices;
}

void ProjectWindow::refreshDevices(const QList<BatchDevice> &devices)
{
    if (!m_session || devices.isEmpty())
        return;
    // The rows read again as a whole network: one read, whatever the count.
    QHash<std::pair<QString, QString>, const ProjectDevice *> fresh;
    const QList<ProjectDevice> rows = ProjectLoader(*m_session).devices(m_network);
    for (const ProjectDevice &row : rows)
        fresh.insert({row.device.subsystemPath, row.device.name}, &row);
    QList<int> changed;
    for (const BatchDevice &device : devices) {
        const int row = m_devices.rowOf(device.subsystemPath, device.name);
        const ProjectDevice *now = fresh.value({device.subsystemPath, device.name});
        if (row < 0 || !now)
            continue;
        m_devices.setLastWrite(row, now->lastWritten, now->lastWriter);
        changed << row;
    }
    m_filler->recheck(changed);
}

void ProjectWindow::setDirectorBus(const QDBusConnection &bus)
{
    m_directorBus = std::make_unique<QDBusConnection>(bus);
}

QDBusConnection ProjectWindow::directorBus() const
{
    return m_directorBus ? *m_directorBus : QDBusConnection::sessionBus();
}

QString ProjectWindow::plugInProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tarvinaRX24");
}

void ProjectWindow::updateShown()
{
    m_shown->setText(
        ProjectTexts::caption(ProjectTexts::ShownCount, {QString::number(m_filterModel->rowCount()),
                                                         QString::number(m_devices.rowCount())}));
    const QString reference = m_filler ? m_filler->referenceFile() : QString();
    m_reference->setText(reference.isEmpty() ? QString()
                                             : ProjectTexts::caption(ProjectTexts::Reference,
                                                                     {QFileInfo(reference).fileName()}));
}

void ProjectWindow::updateActions()
{
    const int chosen = m_table->selectionModel() ? int(m_table->selectionModel()->selectedRows().size()) : 0;
    const bool open = m_session != nullptr;
    const auto enable = [this](const char *name, bool on) {
        if (auto *action = findChild<QAction *>(QLatin1String(name)))
            action->setEnabled(on);
    };
    enable("actionOpenConfiguration", open && chosen == 1);
    enable("actionApplyFile", open && chosen >= 1);
    enable("actionExport", open && chosen == 1);
    enable("actionCompare", open && (chosen == 1 || chosen == 2));
    enable("actionHistory", open && chosen == 1);
    enable("actionRegister", open && !m_network.isEmpty());
    enable("actionChooseReference", open && !m_network.isEmpty());
    enable("actionCreateDemo", open);
    enable("actionReload", open);
    m_createDemo->setEnabled(open);
}

void ProjectWindow::showConformanceProgress(int done, int total)
{
    m_progress->setFormat(ProjectTexts::caption(ProjectTexts::Checking, {QStringLiteral("%v/%m")}));
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->setVisible(done < total);
    updateShown();
}
