#include "Waiting.hpp"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

namespace quoddle {

namespace {

int busyDepth = 0;

// User input that arrives while a run or a wait is under way is held here and
// delivered, in order, once the program is back in its event loop with no run,
// wait or modal box open, exactly as if the thread had been blocked meanwhile.
class DeferredInput : public QObject {
public:
    static DeferredInput& instance()
    {
        static DeferredInput* deferred = [] {
            auto* d = new DeferredInput(qApp);
            qApp->installEventFilter(d);
            return d;
        }();
        return *deferred;
    }

    // Delivers what waits, from the event loop, when nothing is under way.
    void scheduleReplay()
    {
        if (!pending_.empty() && !scheduled_) {
            scheduled_ = true;
            QTimer::singleShot(0, this, [this] { replay(); });
        }
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (busyDepth == 0 || !target->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            pending_.push_back({QPointer<QObject>(target), std::unique_ptr<QEvent>(event->clone())});
            return true;
        case QEvent::ShortcutOverride:
            // No shortcut fires during a run; the key press itself waits its turn.
            event->accept();
            return true;
        case QEvent::MouseMove:
            return true;
        default:
            return false;
        }
    }

private:
    using QObject::QObject;

    void replay()
    {
        scheduled_ = false;
        if (busyDepth > 0 || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
            // Still inside something that waits: try again shortly.
            scheduled_ = true;
            QTimer::singleShot(20, this, [this] { replay(); });
            return;
        }
        std::vector<Pending> events;
        events.swap(pending_);
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (busyDepth > 0) {
                // A replayed event started a run: the rest wait behind it again.
                for (std::size_t k = i; k < events.size(); ++k)
                    pending_.push_back(std::move(events[k]));
                scheduleReplay();
                return;
            }
            if (events[i].target)
                QCoreApplication::sendEvent(events[i].target, events[i].event.get());
        }
    }

    struct Pending {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Pending> pending_;
    bool scheduled_ = false;
};

bool HaveApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

BusyScope::BusyScope()
{
    if (busyDepth++ == 0 && HaveApplication()) {
        DeferredInput::instance();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

BusyScope::~BusyScope()
{
    if (--busyDepth == 0 && HaveApplication()) {
        QApplication::restoreOverrideCursor();
        DeferredInput::instance().scheduleReplay();
    }
}

bool IsBusy() { return busyDepth > 0; }

void ProcessEventsExceptInput()
{
    // Input reaching a widget now is held by DeferredInput until the run is over.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitPainting(unsigned milliseconds)
{
    BusyScope busy;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const qint64 left = static_cast<qint64>(milliseconds) - timer.elapsed();
        if (left <= 0)
            break;
        ProcessEventsExceptInput();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

} // namespace quoddle
