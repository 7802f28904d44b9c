// tarnhall: the hall of fame's server. See HallServer.h for how its threads are arranged.
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "server/HallServer.h"
#include "server/Options.h"

namespace {

// The tarngame beside this program.
std::string GameBesideUs() {
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return "tarngame";
    std::string path(self, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1) + "tarngame";
}

}  // namespace

int main(int argc, char** argv) {
    HallOptions options;
    std::string problem = ParseHallOptions(argc, argv, &options);
    if (!problem.empty()) {
        fprintf(stderr, "tarnhall: %s\n%s", problem.c_str(), kHallUsage);
        return 2;
    }
    if (options.help) {
        fputs(kHallUsage, stdout);
        return 0;
    }
    VerifierSettings verifier;
    verifier.game = options.game.empty() ? GameBesideUs() : options.game;
    verifier.memoryLimit = options.memoryLimit;
    if (access(verifier.game.c_str(), X_OK) != 0) {
        fprintf(stderr, "tarnhall: no verifier to run at %s (--game names one)\n",
                verifier.game.c_str());
        return 1;
    }
    mkdir(options.dataDir.c_str(), 0755);

    // SIGTERM and SIGINT are taken by one thread (every thread inherits this mask); a client
    // that hangs up must not kill the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<HallStore> store;
    try {
        store = OpenHallStore(options.db.empty() ? options.dataDir + "/hall.sqlite" : options.db);
    } catch (const std::exception& e) {
        fprintf(stderr, "tarnhall: %s\n", e.what());
        return 1;
    }
    HallServer server(options, std::move(store), verifier);
    int port = server.Bind();
    if (port < 0) {
        fprintf(stderr, "tarnhall: cannot listen on %s:%d\n", options.host.c_str(), options.port);
        return 1;
    }
    fprintf(stderr, "tarnhall: listening on http://%s:%d/ (%s, %d verifiers, verifier %s)\n",
            options.host.c_str(), port, options.db.empty() ? "SQLite" : "PostgreSQL",
            options.workers, verifier.game.c_str());

    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        fprintf(stderr, "tarnhall: stopping: finishing the requests under way\n");
        server.Stop();
    });
    server.Run();
    // Run also returns when listening fails; the stopper then has nothing left to wait for.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    fprintf(stderr, "tarnhall: stopped\n");
    return 0;
}
