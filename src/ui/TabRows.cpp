#include "ui/TabRows.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QToolTip>

TabRows::TabRows(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int TabRows::insertTab(int position, const QString &text)
{
    if (position < 0 || position > count())
        position = count();
    m_tabs.insert(position, Tab{text, QString()});
    if (m_current < 0)
        m_current = position;
    else if (position <= m_current)
        ++m_current;
    changed();
    return position;
}

void TabRows::removeTab(int position)
{
    if (position < 0 || position >= count())
        return;
    m_tabs.removeAt(position);
    if (m_tabs.isEmpty())
        m_current = -1;
    else if (position < m_current || m_current >= count())
        --m_current;
    changed();
}

QString TabRows::tabText(int position) const
{
    return position >= 0 && position < count() ? m_tabs.at(position).text : QString();
}

void TabRows::setTabText(int position, const QString &text)
{
    if (position < 0 || position >= count())
        return;
    m_tabs[position].text = text;
    changed();
}

QString TabRows::tabToolTip(int position) const
{
    return position >= 0 && position < count() ? m_tabs.at(position).toolTip : QString();
}

void TabRows::setTabToolTip(int position, const QString &toolTip)
{
    if (position >= 0 && position < count())
        m_tabs[position].toolTip = toolTip;
}

void TabRows::setCurrentIndex(int position)
{
    if (position < 0 || position >= count() || position == m_current)
        return;
    m_current = position;
    changed();
}

QSize TabRows::tabSize(int position) const
{
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.text = m_tabs.at(position).text;
    const QFontMetrics metrics = fontMetrics();
    const int margin = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const QSize text(metrics.horizontalAdvance(option.text) + margin,
                     qMax(metrics.height(), 0) +
                         style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this));
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, text, this);
}

int TabRows::tabHeight() const
{
    int height = 0;
    for (int i = 0; i < count(); ++i)
        height = qMax(height, tabSize(i).height());
    return height;
}

TabRows::Layout TabRows::layoutFor(int width) const
{
    Layout layout;
    if (m_tabs.isEmpty())
        return layout;
    QList<int> widths;
    for (int i = 0; i < count(); ++i) {
        const QSize size = tabSize(i);
        widths.append(qMin(size.width(), qMax(width, 1)));
        layout.rowHeight = qMax(layout.rowHeight, size.height());
    }
    QList<int> rowOf(count(), 0);
    QList<int> leftOf(count(), 0);
    int row = 0;
    int left = 0;
    for (int i = 0; i < count(); ++i) {
        if (left > 0 && left + widths.at(i) > width) {
            ++row;
            left = 0;
        }
        rowOf[i] = row;
        leftOf[i] = left;
        left += widths.at(i);
    }
    layout.rows = row + 1;
    // The selected tab's row lies next to the page; the rows after it move up.
    const int selectedRow = m_current >= 0 ? rowOf.at(m_current) : layout.rows - 1;
    for (int i = 0; i < count(); ++i) {
        int shown = rowOf.at(i);
        if (shown == selectedRow)
            shown = layout.rows - 1;
        else if (shown > selectedRow)
            --shown;
        layout.rects.append(QRect(leftOf.at(i), shown * layout.rowHeight, widths.at(i), layout.rowHeight));
    }
    return layout;
}

QRect TabRows::tabRect(int position) const
{
    const Layout layout = layoutFor(width());
    return position >= 0 && position < layout.rects.size() ? layout.rects.at(position) : QRect();
}

int TabRows::rowCount() const
{
    return layoutFor(width()).rows;
}

int TabRows::heightForWidth(int width) const
{
    const Layout layout = layoutFor(width);
    return layout.rows * layout.rowHeight;
}

QSize TabRows::sizeHint() const
{
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width += tabSize(i).width();
    return {width, tabHeight()};
}

QSize TabRows::minimumSizeHint() const
{
    return {0, tabHeight()};
}

void TabRows::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const Layout layout = layoutFor(width());
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.text = m_tabs.at(i).text;
        option.rect = layout.rects.at(i);
        option.row = layout.rects.at(i).top() / qMax(1, layout.rowHeight);
        const bool first = i == 0 || layout.rects.at(i - 1).top() != option.rect.top();
        const bool last = i + 1 == count() || layout.rects.at(i + 1).top() != option.rect.top();
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first       ? QStyleOptionTab::Beginning
                          : last        ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
        if (i == m_current) {
            option.state |= QStyle::State_Selected;
            if (hasFocus())
                option.state |= QStyle::State_HasFocus;
        } else {
            option.state &= ~QStyle::State_HasFocus;
        }
        if (i == m_current - 1 && !last)
            option.selectedPosition = QStyleOptionTab::NextIsSelected;
        else if (i == m_current + 1 && !first)
            option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

int TabRows::tabAt(const QPoint &point) const
{
    const Layout layout = layoutFor(width());
    for (int i = 0; i < layout.rects.size(); ++i) {
        if (layout.rects.at(i).contains(point))
            return i;
    }
    return -1;
}

void TabRows::userSelects(int position)
{
    if (position < 0 || position >= count() || position == m_current)
        return;
    m_current = position;
    changed();
    Q_EMIT currentChanged(position);
}

void TabRows::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int position = tabAt(event->position().toPoint());
    if (position < 0)
        return;
    // As a tab bar does: the press first, then the selection it causes.
    Q_EMIT tabBarClicked(position);
    userSelects(position);
}

void TabRows::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left && m_current > 0)
        userSelects(m_current - 1);
    else if (event->key() == Qt::Key_Right && m_current + 1 < count())
        userSelects(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}

bool TabRows::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = tabToolTip(tabAt(help->pos()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void TabRows::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        changed();
}

void TabRows::changed()
{
    updateGeometry();
    update();
}
