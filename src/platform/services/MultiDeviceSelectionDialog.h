#pragma once

#include "platform/services/DeviceCandidate.h"
#include "platform/services/MultiDeviceSelectionTexts.h"

#include <QDialog>
#include <QList>

class DeviceCandidateModel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

// The window in which the user picks the devices a parameter set goes to.
// A search fills it while it is shown: the line "searchText" and the bar
// "searchProgress" tell how far it is, "cancelSearch" stops it. The list
// "deviceList" shows each device with its subsystem and whether it answers;
// "nameFilter" narrows the list to names holding its text, "selectAll" and
// "selectNone" tick or clear the devices shown. "okButton", "cancelButton".
class MultiDeviceSelectionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MultiDeviceSelectionDialog(const MultiDeviceSelectionTexts &texts, QWidget *parent = nullptr);

    void addCandidates(const QList<DeviceCandidate> &candidates);
    void setProgress(int done, int total);
    // failure: why the search stopped early, shown instead of the count.
    void searchFinished(bool cancelled, const QString &failure = {});

    // The devices ticked, in the order of the list (ticked devices that the
    // filter hides count too).
    QList<DeviceCandidate> chosen() const;
    DeviceCandidateModel &model() const { return *m_model; }

Q_SIGNALS:
    void cancelSearchRequested();

private:
    void tickShown(bool checked);

    MultiDeviceSelectionTexts m_texts;
    DeviceCandidateModel *m_model;
    QSortFilterProxyModel *m_shown;
    QLabel *m_searchText;
    QProgressBar *m_progress;
    QPushButton *m_cancelSearch;
    QLineEdit *m_filter;
    QTreeView *m_list;
};
