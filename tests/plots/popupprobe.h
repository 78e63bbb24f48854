#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

// Looks at the pop-up menu a modal exec() shows, then closes it, so that a
// test can check a context menu without a user. Armed before the event that
// opens the menu.
class PopupProbe {
public:
    explicit PopupProbe(std::function<void(QMenu*)> inspect = {})
    {
        QTimer::singleShot(0, [this, inspect] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                m_seen = true;
                if (inspect)
                    inspect(menu);
                menu->close();
            }
        });
    }
    bool sawMenu() const { return m_seen; }

private:
    bool m_seen = false;
};
