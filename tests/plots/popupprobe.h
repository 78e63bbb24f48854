#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

// Looks at the pop-up menu a modal exec() is showing, then closes it, so a
// test can check a context menu without a user. Arm it before the event that
// opens the menu.
class PopupProbe {
public:
    explicit PopupProbe(std::function<void(QMenu*)> inspect = {})
        : m_inspect(std::move(inspect))
    {
        QTimer::singleShot(0, [this] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                m_seen = true;
                if (m_inspect)
                    m_inspect(menu);
                menu->close();
            }
        });
    }

    bool sawMenu() const { return m_seen; }

private:
    std::function<void(QMenu*)> m_inspect;
    bool m_seen = false;
};
