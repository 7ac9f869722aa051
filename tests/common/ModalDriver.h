#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal window once it is shown, so that a test can call a
// function that runs a modal loop without blocking. Gives up after a while
// (the test then fails on its result instead of hanging).
class TModalWatcher : public QObject
{
public:
    TModalWatcher(std::function<void(QWidget *)> action, int timeoutMs)
        : m_action(std::move(action)), m_timeoutMs(timeoutMs)
    {
        m_elapsed.start();
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }

private:
    void tick()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            m_timer.stop();
            deleteLater();
            m_action(modal);
        } else if (m_elapsed.elapsed() > m_timeoutMs) {
            m_timer.stop();
            deleteLater();
        }
    }

    std::function<void(QWidget *)> m_action;
    int m_timeoutMs;
    QElapsedTimer m_elapsed;
    QTimer m_timer;
};

inline void WhenModal(std::function<void(QWidget *)> action, int timeoutMs = 5000)
{
    new TModalWatcher(std::move(action), timeoutMs);
}

// The widget that receives keys in a window.
inline QWidget *KeyTarget(QWidget *window)
{
    QWidget *w = window->focusWidget();
    return w ? w : window;
}
