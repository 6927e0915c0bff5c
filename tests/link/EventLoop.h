#pragma once

#include <QCoreApplication>

#include <chrono>
#include <thread>

// Runs the event loop of the controller's thread until `done` holds or `limit` has passed.
// The default bound is sized for a loaded machine under the sanitizers; it returns early.
template <class Pred>
bool ProcessUntil(Pred done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}
