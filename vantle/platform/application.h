#pragma once

namespace platform {

class IPlatform;

// Base of the application object that the main loop drives. The platform implementation must be
// installed before the application is built.
class Application {
public:
    Application();
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole start-up; may call Stop to end at once.
    virtual void Init() {}
    // One frame (update, render, buffer swap).
    virtual void Loop() {}
    // Releases what Init made; runs once after the last Loop.
    virtual void Destroy() {}
    // A close request of the window system; the base stops the run.
    virtual void OnClose() { Stop(); }
    // Input focus gained and lost.
    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    // A completed switch between window and full screen.
    virtual void OnFullscreenToggle() {}

    // The main loop ends after the current turn.
    void Stop() { _running = 0; }
    bool IsRunning() const { return _running != 0; }

    // Init, Loop while running, Destroy: a run without platform events.
    void Run();

protected:
    IPlatform* GetPlatform() const { return _platform; }

private:
    IPlatform* _platform;
    int _running = 1;
};

}  // namespace platform
