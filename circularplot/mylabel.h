#pragma once

#include <QLabel>

// A label that reports the mouse hovering over it and clicks on it, and shows
// a pointing hand while it is interactive.
class MyLabel : public QLabel {
    Q_OBJECT

public:
    explicit MyLabel(QWidget* parent = nullptr);

    void setInteractive(bool interactive);
    bool isInteractive() const { return m_interactive; }

signals:
    void clicked();
    void hoverLabel(bool state);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_hovered = false;
    bool m_interactive = true;
};
