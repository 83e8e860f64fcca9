#pragma once

#include "widgets/ctlChannel.h"

#include <QComboBox>
#include <gtest/gtest.h>

// The user opens a list of a channel row and picks the entry with this text.
inline void pickEntry(ctlChannel *row, const char *list, const QString &text)
{
    auto *combo = row->findChild<QComboBox *>(QLatin1String(list));
    combo->showPopup();
    const int index = combo->findText(text);
    combo->hidePopup();
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}
