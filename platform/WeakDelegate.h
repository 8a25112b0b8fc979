#pragma once

#include <QObject>
#include <QPointer>

// A delegate the sender does not own. When the delegate is also a QObject (every screen is), it reads as
// nothing once destroyed, so an alert or sheet answered after its screen went away calls no one.
template <typename Delegate> class WeakDelegate {
public:
    WeakDelegate(Delegate* delegate = nullptr) { *this = delegate; }

    WeakDelegate& operator=(Delegate* delegate) {
        m_delegate = delegate;
        m_object = dynamic_cast<QObject*>(delegate);
        m_watched = m_object != nullptr;
        return *this;
    }

    Delegate* get() const { return m_watched && !m_object ? nullptr : m_delegate; }

private:
    Delegate* m_delegate = nullptr;
    QPointer<QObject> m_object;
    bool m_watched = false;
};
