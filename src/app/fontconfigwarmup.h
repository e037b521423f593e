#pragma once

#include <thread>

// Reads the font configuration (some thousand lines of XML and the font caches) on a thread of
// its own while the application connects to the window system, which is mostly waiting; the
// first text drawn then finds it ready, and which face the windows get is known. wait() must
// come before anything draws text.
class FontconfigWarmUp {
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp();
    FontconfigWarmUp(const FontconfigWarmUp &) = delete;
    FontconfigWarmUp &operator=(const FontconfigWarmUp &) = delete;

    void wait();

private:
    std::thread m_thread;
};
