#pragma once

#include "params/ConfigurationSet.h"
#include "platform/lns/LnsHistoryEntry.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;

// The device's earlier configurations, newest first, one a write: the user
// picks one, sees in words how the configuration held before that write
// differs from the window's, and takes it back into the window. The dialog
// itself changes nothing; whoever opened it puts the chosen set.
class RestoreDialog : public QDialog
{
    Q_OBJECT
public:
    // The configuration held before write number; false when it cannot be read.
    using SetReader = std::function<bool(int number, ConfigurationSet &set)>;

    RestoreDialog(const QString &deviceName, const QList<LnsHistoryEntry> &entries, SetReader readSet,
                  const ConfigurationSet &current, QWidget *owner);

    // After Restore: the write chosen and the set held before it.
    int chosenNumber() const { return m_chosen; }
    ConfigurationSet chosenSet() const { return m_sets.value(m_chosen); }

private:
    void fillEntries(const QList<LnsHistoryEntry> &entries);
    void showEntry();
    void showDifference(int number, const ConfigurationSet &set);

    SetReader m_readSet;
    ConfigurationSet m_current;
    // The sets read so far: each entry is read from the database once.
    QHash<int, ConfigurationSet> m_sets;
    int m_chosen = 0;

    QLabel *m_entriesCaption;
    QTreeWidget *m_entries;
    QLabel *m_differenceCaption;
    QTableWidget *m_difference;
    QPushButton *m_restore;
    QPushButton *m_cancel;
};
