#include "platform/gui/QtDispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QtGlobal>

#include <exception>
#include <utility>

namespace platform {
namespace {

void runGuarded(const std::function<void()> &task)
{
    try {
        task();
    } catch (const std::exception &e) {
        qWarning("Dispatched task failed: %s", e.what());
    } catch (...) {
        qWarning("Dispatched task failed with an unknown exception");
    }
}

} // namespace

void QtDispatcher::post(std::function<void()> task)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || !task)
        return;
    QMetaObject::invokeMethod(
        app, [task = std::move(task)] { runGuarded(task); }, Qt::QueuedConnection);
}

bool QtDispatcher::isDispatcherThread() const
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace platform
