#pragma once
// Waiting on the GUI thread for a worker that hands work over to the GUI
// thread and waits for it (progress, a message box): the hand-overs must be
// served while waiting, or both threads wait on each other for ever.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

inline void WaitForWorkerServingHandOvers(QThread *worker)
{
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    if (worker->isRunning())
        loop.exec();
    // An application that is quitting runs no event loop any more (exec
    // returns at once): the worker's last hand-overs are delivered here.
    while (!worker->wait(QDeadlineTimer(20)))
        QCoreApplication::sendPostedEvents();
}
