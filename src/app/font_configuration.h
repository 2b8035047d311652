#pragma once

#include <thread>

// The system's font configuration, read on a thread of its own while the program loads its
// platform and connects to the display: the window's first text would otherwise wait for it.
// Where the toolkit finds fonts another way there is nothing to read early.
namespace sw {

class FontConfigurationLoad
{
public:
    FontConfigurationLoad();
    ~FontConfigurationLoad() { wait(); }
    FontConfigurationLoad(const FontConfigurationLoad&) = delete;
    FontConfigurationLoad& operator=(const FontConfigurationLoad&) = delete;

    // Until the configuration is read; the toolkit, asking for it at the same time, would read
    // it all again.
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

} // namespace sw
