#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QList>
#include <array>

// The Objects page: the names of the 16 channel objects, in two columns.
class ObjectsPage : public QFrame
{
    Q_OBJECT
public:
    static constexpr int Fields = 16;

    explicit ObjectsPage(QWidget *parent = nullptr);
    // Field of object n (1 .. 16).
    QLineEdit *Field(int n) const { return m_fields.at(static_cast<size_t>(n - 1)); }
    // Reading order: by number, the left column first.
    QList<QWidget *> FocusOrder() const;
    // Shows the name without reporting it as the user's change.
    void SetName(int n, const QString &name);

Q_SIGNALS:
    // The user typed a new name for object n.
    void NameEdited(int n, const QString &name);

private:
    std::array<QLineEdit *, Fields> m_fields{};
};
