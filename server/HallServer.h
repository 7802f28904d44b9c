// The hall of fame's HTTP side: the API, the page's files, one log line per request.
//
// Threads: cpp-httplib gives each connection a thread from one pool whose queue has no bound,
// and a submission holds its thread while it waits for a verifier. So at most workers + queue
// submissions are admitted at once (the rest are answered 503 at once), and the pool has that
// many threads plus kReadThreads: however busy the verifiers, those threads are left for reads.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>

#include "server/Options.h"
#include "server/RateLimiter.h"
#include "server/StaticSite.h"
#include "server/Store.h"
#include "server/Verifier.h"

class HallServer {
  public:
    static constexpr int kReadThreads = 16;

    HallServer(const HallOptions& options, std::unique_ptr<HallStore> store,
               const VerifierSettings& verifier);
    // Binds the address; returns the port, or -1 when it cannot.
    int Bind();
    // Serves until Stop; returns when the requests under way are answered.
    void Run();
    // Safe from another thread: stops taking connections and lets the ones under way finish.
    void Stop();

  private:
    using Method = void (HallServer::*)(const httplib::Request&, httplib::Response&);
    httplib::Server::Handler Handle(Method method);
    void Routes();
    void Submit(const httplib::Request& request, httplib::Response& response);
    void Boards(const httplib::Request& request, httplib::Response& response);
    void Scores(const httplib::Request& request, httplib::Response& response);
    void Replay(const httplib::Request& request, httplib::Response& response);
    void Health(const httplib::Request& request, httplib::Response& response);
    void Static(const httplib::Request& request, httplib::Response& response);
    std::string ClientAddress(const httplib::Request& request) const;
    // Verifies a parsed submission and stores it; fills the response.
    void VerifyAndStore(const std::string& body, const std::string& digest, const std::string& name,
                        long frames, httplib::Response& response);

    HallOptions options_;
    std::unique_ptr<HallStore> store_;
    VerifierSettings verifier_;
    VerifierPool pool_;
    RateLimiter limiter_;
    StaticSite site_;
    std::string incomingDir_;
    httplib::Server http_;
};
