#pragma once
// Helpers of the list view tests: caption editing through the keyboard.

#include "controls/EnhListView.h"

#include <QLineEdit>
#include <QTest>

namespace listviewtest {

// Opens the caption editor of the current item with F2 and types text into it; null when none opens
// (a closed editor is hidden until it is deleted).
inline QLineEdit *editCaption(TCustomEnhListView &list, const QString &text)
{
    QTest::keyClick(&list, Qt::Key_F2);
    for (auto *editor : list.findChildren<QLineEdit *>())
        if (editor->isVisible()) {
            editor->setText(text);
            return editor;
        }
    return nullptr;
}

// Ends the edit as Enter does (the delegate commits through a queued call) or as Escape does.
inline void endEdit(QLineEdit &editor, Qt::Key key)
{
    QTest::keyClick(&editor, key);
    QCoreApplication::processEvents();
}

} // namespace listviewtest
