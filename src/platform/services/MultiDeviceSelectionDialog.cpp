#include "platform/services/MultiDeviceSelectionDialog.h"

#include "platform/services/DeviceCandidateModel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

MultiDeviceSelectionDialog::MultiDeviceSelectionDialog(const MultiDeviceSelectionTexts &texts,
                                                       QWidget *parent)
    : QDialog(parent), m_texts(texts), m_model(new DeviceCandidateModel(texts, this)),
      m_shown(new QSortFilterProxyModel(this)), m_searchText(new QLabel(texts.searching, this)),
      m_progress(new QProgressBar(this)), m_cancelSearch(new QPushButton(texts.cancelSearch, this)),
      m_filter(new QLineEdit(this)), m_list(new QTreeView(this))
{
    setObjectName(QStringLiteral("multiDeviceSelection"));
    setWindowTitle(texts.title);
    m_searchText->setObjectName(QStringLiteral("searchText"));
    m_progress->setObjectName(QStringLiteral("searchProgress"));
    m_progress->setRange(0, 0); // busy until the search knows its total
    m_cancelSearch->setObjectName(QStringLiteral("cancelSearch"));
    m_filter->setObjectName(QStringLiteral("nameFilter"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("deviceList"));

    m_shown->setSourceModel(m_model);
    m_shown->setFilterKeyColumn(DeviceCandidateModel::NameColumn);
    m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_list->setModel(m_shown);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true); // thousands of rows scroll without measuring each
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(DeviceCandidateModel::NameColumn, QHeaderView::Interactive);
    m_list->header()->setSectionResizeMode(DeviceCandidateModel::SubsystemColumn, QHeaderView::Stretch);
    // Fixed widths: measuring thousands of rows would slow every insertion.
    m_list->header()->setSectionResizeMode(DeviceCandidateModel::ReachableColumn, QHeaderView::Interactive);
    m_list->setColumnWidth(DeviceCandidateModel::NameColumn, 220);
    m_list->setColumnWidth(DeviceCandidateModel::ReachableColumn, 90);

    auto *filterLabel = new QLabel(texts.filter, this);
    filterLabel->setObjectName(QStringLiteral("nameFilterLabel"));
    filterLabel->setBuddy(m_filter);
    auto *selectAll = new QPushButton(texts.selectAll, this);
    selectAll->setObjectName(QStringLiteral("selectAll"));
    auto *selectNone = new QPushButton(texts.selectNone, this);
    selectNone->setObjectName(QStringLiteral("selectNone"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttons"));
    QPushButton *ok = buttons->addButton(texts.ok, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(texts.cancel, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(m_progress, 1);
    searchRow->addWidget(m_cancelSearch);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filter, 1);
    filterRow->addWidget(selectAll);
    filterRow->addWidget(selectNone);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_searchText);
    layout->addLayout(searchRow);
    layout->addLayout(filterRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(640, 480);

    connect(m_filter, &QLineEdit::textChanged, m_shown, &QSortFilterProxyModel::setFilterFixedString);
    connect(selectAll, &QPushButton::clicked, this, [this] { tickShown(true); });
    connect(selectNone, &QPushButton::clicked, this, [this] { tickShown(false); });
    connect(m_cancelSearch, &QPushButton::clicked, this, &MultiDeviceSelectionDialog::cancelSearchRequested);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MultiDeviceSelectionDialog::addCandidates(const QList<DeviceCandidate> &candidates)
{
    m_model->append(candidates);
}

void MultiDeviceSelectionDialog::setProgress(int done, int total)
{
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(std::min(done, std::max(total, 1)));
}

void MultiDeviceSelectionDialog::searchFinished(bool cancelled, const QString &failure)
{
    const QString count = QString::number(m_model->rowCount());
    if (!failure.isEmpty())
        m_searchText->setText(failure);
    else
        m_searchText->setText((cancelled ? m_texts.searchCancelled : m_texts.searchDone).arg(count));
    if (m_progress->maximum() == 0)
        m_progress->setRange(0, 1);
    if (!cancelled)
        m_progress->setValue(m_progress->maximum());
    m_cancelSearch->setEnabled(false);
}

QList<DeviceCandidate> MultiDeviceSelectionDialog::chosen() const
{
    QList<DeviceCandidate> result;
    for (int row : m_model->checkedRows())
        result.append(m_model->candidate(row));
    return result;
}

void MultiDeviceSelectionDialog::tickShown(bool checked)
{
    for (int row = 0; row < m_shown->rowCount(); ++row)
        m_model->setChecked(m_shown->mapToSource(m_shown->index(row, 0)).row(), checked);
}
