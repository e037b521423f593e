#pragma once

#include <functional>

class QObject;

// Runs work on a thread of its own while the window goes on painting and its timers go on
// ticking; what the user types or clicks meanwhile waits until the work is done, so nothing
// changes under it. Returns when the work is done, as a plain call would.
// handedOver, when given, is moved to the work's thread before it starts. Work that goes on for
// longer than kBusyPointerAfterMs shows the busy pointer until it is done.
constexpr int kBusyPointerAfterMs = 300;
void runBesideWindow(const std::function<void()> &work, QObject *handedOver = nullptr);

// The window waits the same way while something else holds it up (the lock of an area).
void answerWhileWaiting();

// Whether the window is waiting that way: what runs from a timer meanwhile must not change
// what the waiting command is working on.
bool isWaitingBesideWindow();
