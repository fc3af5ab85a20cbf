#include "vantle/platform/application.h"

#include "vantle/platform/platform.h"

namespace platform {

Application::Application() : _platform(Platform::instance()->GetImplementation()) {}

void Application::Run() {
    Init();
    while (IsRunning()) Loop();
    Destroy();
}

}  // namespace platform
