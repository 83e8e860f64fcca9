#include "ui/WindowLayout.h"

#include "ui/TabStripControl.h"
#include "ui/TitledLine.h"
#include "widgets/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QSlider>
#include <QStyle>

namespace {
int px(double twips)
{
    return Twips::ToPixels(twips);
}
double tw(int pixels)
{
    return Twips::FromPixels(pixels);
}
} // namespace

WindowLayout::WindowLayout(Controls controls)
    : m_c(std::move(controls)), m_tabStrips(std::make_unique<cTabStrips>())
{
    m_tabStrips->setShowPage([this](int keyNo) { ShowPage(keyNo); });
}

QColor WindowLayout::Background() const
{
    const QPalette palette = QApplication::palette();
    return m_themed ? palette.color(QPalette::Window) : palette.color(QPalette::Button);
}

double WindowLayout::MenuOffset() const
{
    const QWidget *menu = m_c.form ? m_c.form->menuWidget() : nullptr;
    return menu ? tw(menu->sizeHint().height()) : 0.0;
}

void WindowLayout::applyBackground()
{
    const QColor colour = Background();
    const auto paint = [&colour](QWidget *widget) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, colour);
        widget->setPalette(palette);
    };
    for (QWidget *page : std::as_const(m_c.pages)) {
        paint(page);
        page->setAutoFillBackground(true);
    }
    for (QWidget *widget : m_c.client->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(widget) || qobject_cast<TitledLine *>(widget) ||
            qobject_cast<QAbstractButton *>(widget) || qobject_cast<QSlider *>(widget))
            paint(widget);
        else if (widget->property("container").toBool()) {
            paint(widget);
            if (auto *frame = qobject_cast<QFrame *>(widget))
                frame->setFrameShape(QFrame::NoFrame);
        }
    }
}

void WindowLayout::ArrangeMainWindow(double pageHeight, int tabRows, double pageWidth)
{
    const double extra = 270.0 * (tabRows - 1);
    // Qt's plain "Windows" style draws unthemed controls; every other style is a theme.
    const QStyle *style = QApplication::style();
    m_themed = style && style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;

    const double frameWidth = pageWidth != 0 ? pageWidth : 5100;
    for (QWidget *page : std::as_const(m_c.pages))
        page->resize(px(frameWidth), px(pageHeight));
    applyBackground();
    if (m_c.logBox) {
        const double top = tw(m_c.logBox->y());
        m_c.logBox->resize(m_c.logBox->width(), px(pageHeight - top - 180));
    }

    const double stripHeight = pageHeight + (m_themed ? 360 : 345) + extra;
    const double stripWidth = frameWidth + (m_themed ? 30 : 45);
    for (TabStripControl *strip : m_c.tabStrips)
        strip->setGeometry(Twips::Rect(TabStripLeft, TabStripTop, stripWidth, stripHeight));

    const double barHeight = stripHeight + (m_themed ? 30 : 60);
    m_c.buttonBar->setGeometry(Twips::Rect(ButtonBarLeft, ButtonBarTop, ButtonBarWidth, barHeight));
    const double lineTop = ButtonBarTop + barHeight + 60;
    m_c.buttonLine->setGeometry(
        Twips::Rect(0, lineTop, TabStripLeft + stripWidth + (m_themed ? 15 : 30), ButtonLineHeight));

    if (pageWidth != 0) {
        const double innerHeight = ButtonBarTop + barHeight + ButtonLineHeight + 75;
        const double innerWidth = TabStripLeft + stripWidth + 90;
        m_c.form->resize(px(innerWidth), px(innerHeight + MenuOffset()));
    }

    // The designed tabs go on record before any is hidden.
    TabStripControl *current = CurrentTabStrip();
    m_tabStrips = std::make_unique<cTabStrips>();
    m_tabStrips->setShowPage([this](int keyNo) { ShowPage(keyNo); });
    m_tabStrips->setCurrentTabStrip(current);
    for (TabStripControl *strip : m_c.tabStrips)
        m_tabStrips->Add(strip);
}

void WindowLayout::ResizeMainWindow(double heightOffset, double widthOffset)
{
    const double height = tw(m_c.form->height()) - heightOffset;
    const double width = tw(m_c.form->width()) - widthOffset;
    const double stripHeight = height - TabStripTop - ButtonLineHeight - 60 - 15;
    const double stripWidth = width - TabStripLeft - 90;
    for (TabStripControl *strip : m_c.tabStrips)
        strip->setGeometry(Twips::Rect(TabStripLeft, TabStripTop, stripWidth, stripHeight));
    if (TabStripControl *current = CurrentTabStrip())
        ShowPage(TabStripControl::KeyNumber(current->SelectedKey()));
    const double barHeight = stripHeight + (m_themed ? 30 : 60);
    m_c.buttonBar->setGeometry(Twips::Rect(ButtonBarLeft, ButtonBarTop, ButtonBarWidth, barHeight));
    m_c.buttonLine->setGeometry(
        Twips::Rect(0, ButtonBarTop + barHeight + 60, width - 90 + (m_themed ? 15 : 30), ButtonLineHeight));
}

int WindowLayout::SelectTabStrip(int index)
{
    int keyNo = -1;
    for (int k = 0; k < static_cast<int>(m_c.tabStrips.size()); ++k) {
        TabStripControl *strip = m_c.tabStrips.at(static_cast<size_t>(k));
        if (k == index) {
            m_tabStrips->setCurrentTabStrip(strip);
            strip->move(px(TabStripLeft), strip->y());
            strip->setVisible(true);
            strip->setEnabled(true);
            keyNo = TabStripControl::KeyNumber(strip->SelectedKey());
        } else {
            strip->move(px(OutOfSight), strip->y());
            strip->setVisible(false);
            strip->setEnabled(false);
        }
    }
    if (TabStripControl *current = CurrentTabStrip())
        current->update();
    return keyNo;
}

void WindowLayout::ShowPage(int keyNo)
{
    TabStripControl *strip = CurrentTabStrip();
    if (!strip)
        return;
    const QRect client = strip->ClientArea();
    for (auto it = m_c.pages.cbegin(); it != m_c.pages.cend(); ++it) {
        QWidget *page = it.value();
        if (it.key() == keyNo) {
            page->move(client.topLeft());
        } else {
            page->move(px(OutOfSight), page->y());
            page->setEnabled(false);
            page->setVisible(false);
        }
        page->resize(client.size());
    }
    QWidget *page = m_c.pages.value(keyNo);
    if (!page)
        return;
    if (m_c.logBox && m_c.logPage == keyNo) {
        m_c.logBox->resize(page->width() - 2 * m_c.logBox->x(), page->height() - m_c.logBox->y() - px(180));
    }
    page->setEnabled(true);
    page->setVisible(true);
    page->raise();
    page->update();
    m_currentPageNo = keyNo;
}
