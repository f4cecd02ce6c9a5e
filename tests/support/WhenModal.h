#pragma once
// Answers a modal window the code under test opens: `act` runs on the next modal window of
// type W once it is up (polled, since exec() does not return until it is answered).

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vxtest {

template <typename W>
void WhenModal(std::function<void(W*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

} // namespace vxtest
