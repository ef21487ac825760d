// sysdlg-sim: the instrument simulator. The main thread is the instrument's
// UI thread (host application, system dialog); the touch-panel server runs
// on threads of its own and reaches the UI only through the TouchPanel
// driver.
#include "ApiAccess.h"
#include "ConfigJson.h"
#include "HostApplication.h"
#include "HttpServer.h"
#include "InstrumentRoot.h"
#include "RequestLog.h"
#include "SimulatorOptions.h"
#include "TouchPanel.h"
#include "TouchPanelApi.h"
#include "host/ConfigBase.h"
#include "host/InstrumentProfile.h"
#include "win/Input.h"
#include "win/Registry.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    SimulatorOptions options;
    std::string error;
    if (!SimulatorOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "sysdlg-sim: %s\n%s", error.c_str(), SimulatorOptions::Usage());
        return 2;
    }
    if (options.help) {
        std::fputs(SimulatorOptions::Usage(), stdout);
        return 0;
    }

    // Termination signals go to one waiting thread, which asks the UI thread
    // to persist and end; every other thread has them blocked.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    InstrumentRoot root(options.root);
    if (!root.Prepare(error)) {
        std::fprintf(stderr, "sysdlg-sim: %s\n", error.c_str());
        return 1;
    }
    std::string note;
    if (!root.LoadProfile(options.profile, error, note)) {
        std::fprintf(stderr, "sysdlg-sim: %s\n", error.c_str());
        return 1;
    }
    if (!note.empty())
        std::fprintf(stderr, "sysdlg-sim: %s\n", note.c_str());
    // The version report names the system the simulator runs on.
    if (!win::Registry::LoadMachineRelease("/etc/os-release"))
        win::Registry::LoadMachineRelease("/usr/lib/os-release");

    RequestLog log;
    HostApplication application(root, log);
    application.Receiver().SetEcho(true);
    application.LoadState();
    if (!application.Language().Start(options.language, error)) {
        std::fprintf(stderr, "sysdlg-sim: %s\n", error.c_str());
        return 1;
    }

    TouchPanel panel(std::this_thread::get_id(), [&application] {
        nlohmann::json config = ConfigJson::Describe(application.State());
        config["language"] = application.Language().Current();
        return config.dump();
    });
    application.ConnectPanel(panel);
    win::SetInputDriver(&panel);

    bool loopback = SimulatorOptions::IsLoopbackAddress(options.listen);
    ApiAccess access(loopback, ApiAccess::NewToken());
    TouchPanelApi api(panel, log, access);
    api.SetInstrumentChanged([&application, &panel] {
        application.PersistState();
        panel.MarkConfigChanged();
    });
    api.SetLanguageSwitch([&application](const std::string& language) { return application.SwitchLanguage(language); });
    HttpServer server(api);
    int port = server.Bind(options.listen, options.port);
    if (port < 0) {
        std::fprintf(stderr, "sysdlg-sim: cannot listen on %s port %d\n", options.listen.c_str(), options.port);
        return 1;
    }
    std::string host = options.listen.find(':') != std::string::npos ? "[" + options.listen + "]" : options.listen;
    std::printf("sysdlg-sim: data root %s%s\n", root.Path().c_str(),
                root.CreatedSamples() ? " (new, with sample data)" : "");
    if (access.RequiresToken()) {
        std::printf("sysdlg-sim: API token %s\n", access.Token().c_str());
        std::printf("sysdlg-sim: open http://%s:%d/?token=%s\n", host.c_str(), port, access.Token().c_str());
    } else {
        std::printf("sysdlg-sim: open http://%s:%d/\n", host.c_str(), port);
    }
    std::printf("port: %d\n", port);
    std::fflush(stdout);
    server.Start();

    std::thread signalWaiter([&application, signals] {
        int received = 0;
        sigwait(&signals, &received);
        if (received != SIGUSR1)
            application.Stop();
    });

    int status = application.Run();

    panel.Close();
    server.Stop();
    win::SetInputDriver(nullptr);
    CONFIG_BASE::SetChangeHook(nullptr);
    pthread_kill(signalWaiter.native_handle(), SIGUSR1);
    signalWaiter.join();
    std::printf("sysdlg-sim: ended\n");
    return status;
}
