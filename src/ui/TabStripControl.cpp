#include "ui/TabStripControl.h"

#include "ui/TabRows.h"

#include <QEvent>
#include <QFrame>
#include <QScopedValueRollback>
#include <QTimer>

TabStripControl::TabStripControl(QWidget *parent) : QWidget(parent)
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("panel"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setFrameShadow(QFrame::Raised);

    // Created after the panel so that the tabs are drawn over its top edge.
    m_bar = new TabRows(this);
    m_bar->setObjectName(QStringLiteral("tabBar"));
    m_bar->installEventFilter(this);

    connect(m_bar, &TabRows::currentChanged, this, &TabStripControl::onCurrentChanged);
    connect(m_bar, &TabRows::tabBarClicked, this, &TabStripControl::onBarClicked);
    arrange();
}

int TabStripControl::Count() const
{
    return static_cast<int>(m_tabs.size());
}

bool TabStripControl::validPosition(int position) const
{
    return position >= 0 && position < Count();
}

QString TabStripControl::Key(int position) const
{
    return validPosition(position) ? m_tabs.at(position).key : QString();
}

QString TabStripControl::Caption(int position) const
{
    return validPosition(position) ? m_bar->tabText(position) : QString();
}

QString TabStripControl::ToolTipText(int position) const
{
    return validPosition(position) ? m_bar->tabToolTip(position) : QString();
}

QVariant TabStripControl::Tag(int position) const
{
    return validPosition(position) ? m_tabs.at(position).tag : QVariant();
}

int TabStripControl::InsertTab(int position, const QString &key, const QString &caption,
                               const QString &toolTip, const QVariant &tag)
{
    const QScopedValueRollback<bool> programChange(m_programChange, true);
    if (position < 0 || position > Count())
        position = Count();
    m_tabs.insert(position, TabData{key, tag});
    const int at = m_bar->insertTab(position, caption);
    m_bar->setTabToolTip(at, toolTip);
    arrange();
    return at;
}

void TabStripControl::RemoveTab(int position)
{
    if (!validPosition(position))
        return;
    const QScopedValueRollback<bool> programChange(m_programChange, true);
    m_tabs.removeAt(position);
    m_bar->removeTab(position);
    arrange();
}

int TabStripControl::PositionOfKey(const QString &key) const
{
    for (int position = 0; position < Count(); ++position) {
        if (m_tabs.at(position).key == key)
            return position;
    }
    return -1;
}

void TabStripControl::SetCaption(int position, const QString &caption)
{
    if (!validPosition(position))
        return;
    const QScopedValueRollback<bool> programChange(m_programChange, true);
    m_bar->setTabText(position, caption);
    arrange();
}

void TabStripControl::SetToolTipText(int position, const QString &toolTip)
{
    if (validPosition(position))
        m_bar->setTabToolTip(position, toolTip);
}

void TabStripControl::SetTag(int position, const QVariant &tag)
{
    if (validPosition(position))
        m_tabs[position].tag = tag;
}

int TabStripControl::SelectedPosition() const
{
    return m_bar->currentIndex();
}

void TabStripControl::Select(int position)
{
    if (!validPosition(position))
        return;
    const QScopedValueRollback<bool> programChange(m_programChange, true);
    m_bar->setCurrentIndex(position);
}

QString TabStripControl::SelectedKey() const
{
    return Key(SelectedPosition());
}

QRect TabStripControl::ClientArea() const
{
    // From the strip's own size, not the panel's: a strip resized while its
    // window is still hidden arranges its children only when shown.
    const int barHeight = Count() > 0 ? m_bar->heightForWidth(width()) : 0;
    const int frame = m_panel->frameWidth();
    const QRect inner(frame, barHeight + frame, qMax(0, width() - 2 * frame),
                      qMax(0, height() - barHeight - 2 * frame));
    return parentWidget() ? inner.translated(pos()) : inner;
}

TabRows *TabStripControl::Bar() const
{
    return m_bar;
}

int TabStripControl::KeyNumber(const QString &key)
{
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return -1;
    bool ok = false;
    const int number = key.mid(colon + 1).trimmed().toInt(&ok);
    return ok ? number : -1;
}

void TabStripControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void TabStripControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The bar has taken the new font or style before the control hears of it.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        arrange();
}

bool TabStripControl::event(QEvent *event)
{
    // The bar asks for a new size (for instance after its tabs changed size).
    if (event->type() == QEvent::LayoutRequest)
        arrange();
    return QWidget::event(event);
}

bool TabStripControl::eventFilter(QObject *watched, QEvent *event)
{
    // A font or style set on the bar itself: its tab sizes are known only
    // after the bar has handled the change, so arrange afterwards.
    if (watched == m_bar && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        QTimer::singleShot(0, this, &TabStripControl::arrange);
    return QWidget::eventFilter(watched, event);
}

void TabStripControl::arrange()
{
    const int barHeight = Count() > 0 ? m_bar->heightForWidth(width()) : 0;
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_bar->setVisible(Count() > 0);
    m_panel->setGeometry(0, barHeight, width(), qMax(0, height() - barHeight));
}

void TabStripControl::onCurrentChanged(int position)
{
    if (m_programChange || !validPosition(position))
        return;
    Q_EMIT TabClicked(KeyNumber(Key(position)));
}

void TabStripControl::onBarClicked(int position)
{
    // A click on another tab is reported by the selection change it causes.
    if (m_programChange || !validPosition(position) || position != m_bar->currentIndex())
        return;
    Q_EMIT TabClicked(KeyNumber(Key(position)));
}
