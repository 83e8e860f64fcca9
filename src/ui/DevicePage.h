#pragma once

#include <QFrame>
#include <QList>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

// The Device page: a row per module slot with its label, the list of module
// types (the configuration's, bound to "DeviceModules_n") and the
// "Configuration ..." button of the lighting modules.
class DevicePage : public QFrame
{
    Q_OBJECT
public:
    static constexpr int Slots = 8;

    explicit DevicePage(QWidget *parent = nullptr);
    // Puts the configuration's list of slot n (1 .. 8) into its row.
    void AttachSlotList(int slot, QComboBox *list);
    QComboBox *SlotList(int slot) const { return m_lists.at(static_cast<size_t>(slot - 1)); }
    QLabel *SlotLabel(int slot) const { return m_labels.at(static_cast<size_t>(slot - 1)); }
    QPushButton *ConfigureButton(int slot) const { return m_buttons.at(static_cast<size_t>(slot - 1)); }
    // Reading order: row by row, each slot's list, then its button.
    QList<QWidget *> FocusOrder() const;

Q_SIGNALS:
    void ConfigureClicked(int slot);

private:
    std::array<QLabel *, Slots> m_labels{};
    std::array<QComboBox *, Slots> m_lists{};
    std::array<QPushButton *, Slots> m_buttons{};
};
