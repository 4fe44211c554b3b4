#pragma once
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on a real modal dialog once it is on screen: tests start the driver,
// then call the code that opens the dialog with exec(); the driver polls the
// application's active modal widget and runs its action when it matches.
// It stops when it goes out of scope, so an action that captured locals never
// runs after they are gone.
class DialogDriver : public QObject
{
public:
    using Match = std::function<bool(QWidget *)>;
    using Action = std::function<void(QWidget *)>;

    DialogDriver(Match match, Action action, int timeoutMs = 10000)
        : m_match(std::move(match)), m_action(std::move(action)), m_remaining(timeoutMs / 10)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    // Dialog of type T (optionally with the given window title).
    template <class T>
    static std::unique_ptr<DialogDriver> on(std::function<void(T *)> action, const QString &title = QString())
    {
        return std::make_unique<DialogDriver>(
            [title](QWidget *w) {
                return qobject_cast<T *>(w) && (title.isNull() || w->windowTitle() == title);
            },
            [action](QWidget *w) { action(qobject_cast<T *>(w)); });
    }

    bool fired() const { return m_fired; }
    bool timedOut() const { return m_remaining <= 0 && !m_fired; }

private:
    void poll()
    {
        if (m_fired)
            return;
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->isVisible() && m_match(w)) {
            m_fired = true;
            m_timer.stop();
            m_action(w);
            return;
        }
        if (--m_remaining <= 0)
            m_timer.stop();
    }

    Match m_match;
    Action m_action;
    int m_remaining;
    bool m_fired = false;
    QTimer m_timer;
};
