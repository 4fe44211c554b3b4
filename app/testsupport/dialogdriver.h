#pragma once
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on a real dialog once it is on screen: tests start the driver, then
// call the code that opens the dialog (often a blocking exec()); the driver
// polls the top-level widgets and runs its action on the first visible match.
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
    static DialogDriver *on(std::function<void(T *)> action, const QString &title = QString(), QObject *parent = nullptr)
    {
        auto *d = new DialogDriver(
            [title](QWidget *w) {
                return qobject_cast<T *>(w) && (title.isNull() || w->windowTitle() == title);
            },
            [action](QWidget *w) { action(qobject_cast<T *>(w)); });
        d->setParent(parent);
        return d;
    }

    bool fired() const { return m_fired; }
    bool timedOut() const { return m_remaining <= 0 && !m_fired; }

private:
    void poll()
    {
        if (m_fired)
            return;
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget *w : widgets) {
            if (w->isVisible() && m_match(w)) {
                m_fired = true;
                m_timer.stop();
                m_action(w);
                return;
            }
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
