#include "platform/services/StatusWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

StatusWindow::StatusWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(new QLabel(this)), m_text(new QLabel(this)), m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("statusWindow"));
    m_picture->setObjectName(QStringLiteral("picture"));
    m_text->setObjectName(QStringLiteral("statusText"));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_text->setMinimumWidth(280);

    auto *column = new QVBoxLayout;
    column->addStretch();
    column->addWidget(m_text);
    column->addWidget(m_progress);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_picture);
    layout->addLayout(column, 1);
    setWindowTitle(QCoreApplication::applicationName());
}

void StatusWindow::setText(const QString &text)
{
    m_text->setText(text);
}

QString StatusWindow::text() const
{
    return m_text->text();
}

void StatusWindow::setProgress(int percent)
{
    m_progress->setValue(qBound(0, percent, 100));
}

int StatusWindow::progress() const
{
    return m_progress->value();
}

void StatusWindow::clear()
{
    m_text->clear();
    m_progress->setValue(0);
}

void StatusWindow::setPicture(const QPixmap &picture)
{
    m_picture->setPixmap(picture);
}
